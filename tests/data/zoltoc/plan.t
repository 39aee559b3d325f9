An install plan lists the elements needed, in media order, with the medium each is on and its size
(or, with --archive, the size of its archive).

  $ zoltoc plan --media $EXAMPLES/medium/MEDIA.TOC --archive VIEWER
  BASEFWK                  medium A  order    3  archive bytes 921600
  GUIFWK                   medium A  order    4  archive bytes 691200
  VIEWER                   medium B  order   15  archive bytes 460800
  3 element(s), total 2026 kilobytes of archives

A name that the medium lacks is reported, and the plan is made of the others.

  $ zoltoc plan --media $EXAMPLES/medium/MEDIA.TOC --install $EXAMPLES/installation NOPE ANALYZER
  ! NOPE code is not found on the media
  ! zoltoc: $EXAMPLES/medium/MEDIA.TOC: no plan made for the elements asked
  [1]

With --check-prereqs, an element whose first prerequisite is not installed is refused.

  $ zoltoc plan --media $EXAMPLES/medium/MEDIA.TOC --check-prereqs BASEFWK VIEWER
  BASEFWK                  medium A  order    3  size 1200
  1 element(s), total 1600 file-system units
  ! BASEFWK which is a prerequisite of VIEWER has not been found.
  ! Though you required to install VIEWER, it will not be installed.
  ! Continuing...
  ! zoltoc: $EXAMPLES/medium/MEDIA.TOC: VIEWER (code) refused: its first prerequisite is not installed
  [1]
  $ zoltoc plan --media $EXAMPLES/medium/MEDIA.TOC --check-prereqs VIEWER --json
  {
    "archive": false,
    "elements": [],
    "messages": "BASEFWK which is a prerequisite of VIEWER has not been found.\nThough you required to install VIEWER, it will not be installed.\nContinuing... ZOLInsMediaToc =  Nothing to install\n",
    "mode": "general",
    "ok": false,
    "refused": [
      "VIEWER"
    ],
    "total": 0,
    "type": "code",
    "unit": "file-system units"
  }
  ! zoltoc: $EXAMPLES/medium/MEDIA.TOC: VIEWER (code) refused: its first prerequisite is not installed
  [1]

An element installed already: a general plan has nothing to install, a GA or service pack plan
refuses it.

  $ zoltoc plan --media $EXAMPLES/medium/MEDIA.TOC --install $EXAMPLES/installation EDITOR
  0 element(s), total 0 file-system units
  ! EDITOR codeEDITOR code : already installed software
  !  ZOLInsMediaToc =  Nothing to install
  $ zoltoc plan --media $EXAMPLES/medium/MEDIA.TOC --install $EXAMPLES/installation --mode ga EDITOR
  ! EDITOR code : already installed software
  ! zoltoc: $EXAMPLES/medium/MEDIA.TOC: no plan made for the elements asked
  [1]
  $ zoltoc plan --media $EXAMPLES/medium/MEDIA.TOC --install $EXAMPLES/installation --mode spk EDITOR
  ! EDITOR code : already installed software
  ! zoltoc: $EXAMPLES/medium/MEDIA.TOC: no plan made for the elements asked
  [1]
  $ zoltoc plan --media $EXAMPLES/medium/MEDIA.TOC --mode spk ZOLSP.1
  ! zoltoc: a service pack plan needs --install
  [2]
