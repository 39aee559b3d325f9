What zoltoc says of an installation's control/PRESENT that does not load: the file, the line and
the element; of one that holds no line, why, and never with a blank line.

  $ mkdir control; A=code:FWK:A::::0:1:linux:R1:0:L: B=code:FWK:B::::0:1:linux:R1:0:L:
  > printf '%s\n' $A $B $A > control/PRESENT
  $ zoltoc levels --install $TMP
  ! zoltoc: ZOLINSInstToc:Duplicate entry in $TMP/control/PRESENT
  ! zoltoc: $TMP/control/PRESENT:3: A (code): recorded again, first on line 1
  [2]
  $ printf '%s\n' code:FWK:A::::0:1:linux:R1:0:L: code:FWK:C::::0:1:aix:R1:0:L: > control/PRESENT
  $ zoltoc levels --install $TMP
  ! zoltoc: ZOLINSToc::SetOS: Operating system mismatch on line number 2 from file $TMP/control/PRESENT:
  ! zoltoc: linux operating system expected, and aix operating system found
  ! zoltoc: $TMP/control/PRESENT:2: C (code): operating system aix, line 1 has linux
  [2]
  $ : > control/PRESENT; zoltoc levels --install $TMP
  ! zoltoc: $TMP/control/PRESENT: is empty
  [2]
  $ printf '%064d' 0 | tr 0 '\0' > control/PRESENT; zoltoc levels --install $TMP
  ! zoltoc: $TMP/control/PRESENT:1: holds only NUL bytes, no line
  [2]
  $ printf 'code:FWK:A:\rcode:FWK:B:\r' > control/PRESENT; zoltoc levels --install $TMP
  ! zoltoc: $TMP/control/PRESENT:1: its lines end with a carriage return only; TOC lines end with a line feed
  [2]
  $ printf code:FWK:A::::0:1:linux:R1:0:L: > control/PRESENT; zoltoc levels --install $TMP
  ! zoltoc: $TMP/control/PRESENT:1: its only line has no line feed, so it is not read
  [2]

A last line without a line feed is not read, with a warning, when lines come before it.

  $ printf 'code:FWK:A::::0:1:linux:R1:0:L:\ncode:FWK:B::::0:1:linux:R1:0:L:' > control/PRESENT
  $ zoltoc levels --install $TMP
  $TMP/control/PRESENT: 1 elements
    OS linux, GA level R1, service pack 0, hot fix 0
  ! zoltoc: warning: $TMP/control/PRESENT:2: the last line has no line feed, not read
