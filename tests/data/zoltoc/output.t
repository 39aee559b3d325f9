Standard output that cannot be written ends zoltoc with 2, whatever the command had to say, and
whatever its work came to: a closed standard output,

  $ zoltoc levels --media $EXAMPLES/medium/MEDIA.TOC >&-
  ! zoltoc: standard output: Bad file descriptor
  [2]
  $ zoltoc element NOPE --media $EXAMPLES/medium/MEDIA.TOC --json >&-
  ! zoltoc: NOPE (code) is not in $EXAMPLES/medium/MEDIA.TOC
  ! zoltoc: standard output: Bad file descriptor
  [2]
  $ echo ./a > LIST; echo x > a; zoltoc checksum LIST -o CONTROL >&-
  ! zoltoc: standard output: Bad file descriptor
  [2]
  $ cat CONTROL
  ./a 130

or a full device.

#if root
  $ mknod full c 1 7
  $ zoltoc packages --media $EXAMPLES/medium/MEDIA.TOC --json > full
  ! zoltoc: standard output: No space left on device
  [2]
  $ zoltoc check --install $EXAMPLES/installation > full
  ! zoltoc: standard output: No space left on device
  [2]
  $ zoltoc --help > full
  ! zoltoc: standard output: No space left on device
  [2]
#endif
