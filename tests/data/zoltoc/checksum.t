checksum rewrites a control file, the list of an element's files, with the checksum of each file.

  $ cp -r $EXAMPLES/installation inst; echo changed > inst/bin/editor
  $ printf '%s\n' ./bin/editor ./share/editor/index.QEidx ./control/EDITOR > inst/control/EDITOR
  $ zoltoc checksum inst/control/EDITOR --json
  {
    "control": "inst/control/EDITOR",
    "list": "inst/control/EDITOR",
    "unread": [],
    "written": true
  }
  $ cat inst/control/EDITOR
  ./bin/editor 724
  ./share/editor/index.QEidx
  ./control/EDITOR
  $ zoltoc check --install inst --json
  {
    "bytes": 1113,
    "elements": 7,
    "files": 14,
    "findings": [],
    "install": "inst",
    "interrupted": false,
    "level": 2,
    "report": "",
    "status": 1,
    "verdict": "sound"
  }

A file that cannot be read is a finding; the others are still written.

  $ printf '%s\n' ./bin/editor ./gone ./control/LIST > inst/control/LIST
  $ zoltoc checksum inst/control/LIST
  wrote inst/control/LIST
  ! inst/control/.././gone : unable to open this file in reading mode, check permissions mode ; CheckSum not calculated
  !  (esc)
  ! zoltoc: inst/control/LIST:2: ./gone: not read, written without a checksum
  [1]
  $ cat inst/control/LIST
  ./bin/editor 724
  ./gone
  ./control/LIST

A checksum field that is not a number is named by its line, and nothing is written.

  $ printf '%s\n' ./bin/editor './b 12x' './c word' > inst/control/LIST
  $ zoltoc checksum inst/control/LIST
  ! zoltoc: inst/control/LIST:3: the checksum field is not a number; nothing written
  [2]
  $ cat inst/control/LIST
  ./bin/editor
  ./b 12x
  ./c word

A device given as the output is refused and left a device.

#if root
  $ mknod null c 1 3; echo ./bin/editor > inst/control/LIST
  $ zoltoc checksum inst/control/LIST -o null
  ! zoltoc: null: is not a regular file; nothing written
  [2]
  $ test -c null
#endif
