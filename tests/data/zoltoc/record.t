record adds elements installed from a medium to the installation's control/PRESENT. A PRESENT that
is not a regular file is refused without being opened: a FIFO would block.

  $ mkdir -p control/PRESENT
  $ zoltoc record --media $EXAMPLES/medium/MEDIA.TOC --install . BASEFWK
  ! zoltoc: ./control/PRESENT: is a directory, not a TOC file
  [2]
  $ rmdir control/PRESENT; mkfifo control/PRESENT
  $ zoltoc record --media $EXAMPLES/medium/MEDIA.TOC --install . BASEFWK
  ! zoltoc: ./control/PRESENT: is not a regular file
  [2]

An empty PRESENT has nothing recorded yet.

  $ rm control/PRESENT; : > control/PRESENT
  $ zoltoc record --media $EXAMPLES/medium/MEDIA.TOC --install . BASEFWK
  recorded BASEFWK in ./control/PRESENT
  $ cat control/PRESENT; cp control/PRESENT once
  code:FWK:BASEFWK::::1200:20261201090000:linux:R1:0:Base framework:300 40 40 40 40 60 60 60 :

An element recorded already is said so, and PRESENT is left as it was.

  $ zoltoc record --media $EXAMPLES/medium/MEDIA.TOC --install . BASEFWK
  BASEFWK is recorded already in ./control/PRESENT
  $ cmp once control/PRESENT
  $ zoltoc record --media $EXAMPLES/medium/MEDIA.TOC --install . BASEFWK GUIFWK --json
  {
    "already": [
      "BASEFWK"
    ],
    "failed": [],
    "present": "./control/PRESENT",
    "recorded": [
      "GUIFWK"
    ]
  }
  $ cat control/PRESENT
  code:FWK:BASEFWK::::1200:20261201090000:linux:R1:0:Base framework:300 40 40 40 40 60 60 60 :
  code:FWK:GUIFWK::BASEFWK ::900:20261201090000:linux:R1:0:Graphical interface framework:200 30 30 30 30 50 50 50 :

Names the medium lacks fail, each with its reason; a name of more than 47 characters is never cut
to fit, as the cut name could be another element's.

  $ zoltoc record --media $EXAMPLES/medium/MEDIA.TOC --install . NOPE
  ! zoltoc: $EXAMPLES/medium/MEDIA.TOC: NOPE: the media TOC has no line for this element (-300)
  [1]
  $ zoltoc record --media $EXAMPLES/medium/MEDIA.TOC --install . \
  >   NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN
  ! zoltoc: ./control/PRESENT: NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN: the name is longer than 47 characters (-1000)
  [1]
