zoltoc ends with 0 on success, 1 on a finding or a refusal, and 2 on bad usage, input that does
not load, or standard output that cannot be written. Each message on standard error starts with
"zoltoc:" and says which option was wrong.

  $ zoltoc --version | sed "s/ $VERSION\$/ \$VERSION/"
  zoltoc $VERSION
  $ zoltoc
  ! zoltoc: A subcommand is required (zoltoc --help tells more)
  [2]
  $ zoltoc levels --bogus
  ! zoltoc: levels: The following argument was not expected: --bogus (zoltoc levels --help tells more)
  [2]
  $ zoltoc packages --media $EXAMPLES/medium/MEDIA.TOC --package XYZ
  ! zoltoc: unknown package 'XYZ' (FWK, GRP, PRD, PDO, SLT, FIX, FSP, SPK, HFX, SMP)
  [2]
  $ zoltoc check --install $EXAMPLES/installation --readers 0
  ! zoltoc: check: --readers: Value 0 not in range 1 to 256 (zoltoc check --help tells more)
  [2]
  $ zoltoc check --install $EXAMPLES/installation --level 3
  ! zoltoc: check: --level: Value 3 not in range 0 to 2 (zoltoc check --help tells more)
  [2]

With --json, a failure also prints one error object on standard output, usage errors included.

  $ zoltoc levels --media $EXAMPLES/medium/MEDIA.TOC --bogus --json
  {
    "error": {
      "code": 2,
      "element": null,
      "file": null,
      "line": null,
      "message": "levels: The following argument was not expected: --bogus (zoltoc levels --help tells more)"
    }
  }
  ! zoltoc: levels: The following argument was not expected: --bogus (zoltoc levels --help tells more)
  [2]
