check reads every file an installation's control files list and compares it with its checksum.

  $ zoltoc check --install $EXAMPLES/installation
  $EXAMPLES/installation: sound (7 elements, 15 files, level 2)
  $ cp -r $EXAMPLES/installation inst; echo changed > inst/bin/editor; rm inst/lib/libgui.so.txt
  $ zoltoc check --install inst
  inst/lib/libgui.so.txt: file not found, possible trouble in case of removal
  inst/bin/editor: CheckSum mismatch. Bad or modified file
  inst: errors found (7 elements, 15 files, level 2)
  [1]

However many threads read the files, the report is the same.

  $ zoltoc check --install inst > one-reader
  > zoltoc check --install inst --readers 1 | cmp - one-reader
  > zoltoc check --install inst --readers 3 | cmp - one-reader

An interrupted check looked at only part of the tree: it never ends as a sound one. The interrupt
comes while the check reads a huge (sparse) file, which it then gives up.

  $ truncate -s 256G inst/bin/huge; echo './bin/huge 1' >> inst/control/BASEFWK
  $ zoltoc check --install inst -q > /dev/null & pid=$!
  > until ls -l /proc/$pid/fd 2>/dev/null | grep -q bin/huge; do sleep 0.01; done
  > kill -INT $pid; wait $pid
  [1]
