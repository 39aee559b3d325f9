Names, labels, levels and paths need not be UTF-8: a medium m\351/MEDIA.TOC and an installation
inst\351 whose bytes \351 (Latin-1 e acute), \377, \376 and \303 are none. Text output and messages
keep the bytes as they are; JSON output replaces each byte that is not UTF-8 with U+FFFD, so that
it always parses.

  $ mkdir "$(printf 'm\351')" "$(printf 'inst\351')" "$(printf 'inst\351')/control"
  > printf 'A:3:1000:code:FWK:BASE\351::::100:1:lin\377:R\376:0:Base \351t\351:10 :\n' \
  >   > "$(printf 'm\351')/MEDIA.TOC"
  > printf 'A:4:2000:code:PRD:PROD\377::BASE\351 ::200:1:lin\377:R\376:0:L\303:10 :\n' \
  >   >> "$(printf 'm\351')/MEDIA.TOC"
  > cd "$(printf 'inst\351')/control"
  > printf 'code:FWK:BASE\351::::100:1:lin\377:R\376:0:B\351:10 :\n' > PRESENT
  > printf './lib/f\351\n./control/BASE\351\n' > "$(printf 'BASE\351')"
  > : > PCFG.list
  $ zoltoc packages --media "$(printf 'm\351')/MEDIA.TOC" --json
  {
    "elements": [
      {
        "label": "Base �t�",
        "name": "BASE�",
        "package": "FWK",
        "type": "code"
      },
      {
        "label": "L�",
        "name": "PROD�",
        "package": "PRD",
        "type": "code"
      }
    ],
    "source": "m�/MEDIA.TOC"
  }
  $ zoltoc packages --install "$(printf 'inst\351')" --json
  {
    "elements": [
      {
        "label": "B�",
        "name": "BASE�",
        "package": "FWK",
        "type": "code"
      }
    ],
    "source": "inst�/control/PRESENT"
  }
  $ zoltoc element "$(printf 'PROD\377')" --media "$(printf 'm\351')/MEDIA.TOC" --json
  {
    "conditionallyRequiredBy": [],
    "gaLevel": "R�",
    "ifreqs": [],
    "label": "L�",
    "langSizes": [
      10
    ],
    "line": "code:PRD:PROD�::BASE� ::200:1:lin�:R�:0:L�:10 :",
    "media": {
      "archiveSize": 2000,
      "medium": "A",
      "order": 4
    },
    "name": "PROD�",
    "os": "lin�",
    "package": "PRD",
    "prereqs": [
      "BASE�"
    ],
    "requiredBy": [],
    "sizefs": 200,
    "spkLevel": 0,
    "supersededBy": [],
    "supersedes": [],
    "timestamp": "1",
    "type": "code"
  }
  $ zoltoc element "$(printf 'BASE\351')" --install "$(printf 'inst\351')" --json
  {
    "conditionallyRequiredBy": [],
    "gaLevel": "R�",
    "ifreqs": [],
    "label": "B�",
    "langSizes": [
      10
    ],
    "line": "code:FWK:BASE�::::100:1:lin�:R�:0:B�:10 :",
    "name": "BASE�",
    "os": "lin�",
    "package": "FWK",
    "prereqs": [],
    "requiredBy": [],
    "sizefs": 100,
    "spkLevel": 0,
    "supersededBy": [],
    "supersedes": [],
    "timestamp": "1",
    "type": "code"
  }
  $ zoltoc levels --media "$(printf 'm\351')/MEDIA.TOC" --json
  {
    "elements": 2,
    "gaLevel": "R�",
    "hfxLevel": 0,
    "hfxName": "",
    "os": "lin�",
    "previousSpkLevel": 0,
    "source": "m�/MEDIA.TOC",
    "spkLevel": 0
  }
  $ zoltoc plan --media "$(printf 'm\351')/MEDIA.TOC" --install "$(printf 'inst\351')" \
  >   "$(printf 'PROD\377')" --json
  {
    "archive": false,
    "elements": [
      {
        "archiveSize": 2000,
        "label": "L�",
        "medium": "A",
        "name": "PROD�",
        "order": 4,
        "sizefs": 200
      }
    ],
    "messages": "",
    "mode": "general",
    "ok": true,
    "refused": [],
    "total": 600,
    "type": "code",
    "unit": "file-system units"
  }
  $ zoltoc plan --media "$(printf 'm\351')/MEDIA.TOC" --mode ga \
  >   "$(printf 'PROD\377')" "$(printf 'BASE\351')" --json
  {
    "archive": false,
    "elements": [
      {
        "archiveSize": 1000,
        "label": "Base �t�",
        "medium": "A",
        "name": "BASE�",
        "order": 3,
        "sizefs": 100
      },
      {
        "archiveSize": 2000,
        "label": "L�",
        "medium": "A",
        "name": "PROD�",
        "order": 4,
        "sizefs": 200
      }
    ],
    "messages": "",
    "mode": "ga",
    "ok": true,
    "refused": [],
    "total": 300,
    "type": "code",
    "unit": "file-system units"
  }
  $ zoltoc plan --media "$(printf 'm\351')/MEDIA.TOC" --mode hfx "$(printf 'PROD\377')" --json
  {
    "archive": false,
    "elements": [
      {
        "archiveSize": 2000,
        "label": "L�",
        "medium": "A",
        "name": "PROD�",
        "order": 4,
        "sizefs": 200
      }
    ],
    "messages": "",
    "mode": "hfx",
    "ok": true,
    "refused": [],
    "total": 200,
    "type": "code",
    "unit": "file-system units"
  }
  $ zoltoc check --install "$(printf 'inst\351')" --json
  {
    "bytes": 0,
    "elements": 1,
    "files": 2,
    "findings": [
      "BASE�: alone framework (no PRD or SLT prereqs it)",
      "inst�/lib/f�: file not found, possible trouble in case of removal"
    ],
    "install": "inst�",
    "interrupted": false,
    "level": 2,
    "report": "BASE�: alone framework (no PRD or SLT prereqs it)inst�/lib/f�: file not found, possible trouble in case of removal",
    "status": 0,
    "verdict": "errors found"
  }
  [1]
  $ zoltoc record --media "$(printf 'm\351')/MEDIA.TOC" --install "$(printf 'inst\351')" \
  >   "$(printf 'PROD\377')" "$(printf 'NO\377')" --json
  {
    "already": [],
    "failed": [
      {
        "code": -300,
        "name": "NO�",
        "reason": "the media TOC has no line for this element"
      }
    ],
    "present": "inst�/control/PRESENT",
    "recorded": [
      "PROD�"
    ]
  }
  ! zoltoc: m\xe9/MEDIA.TOC: NO\xff: the media TOC has no line for this element (-300) (esc)
  [1]
  $ zoltoc checksum "$(printf 'inst\351/control/BASE\351')" --json
  {
    "control": "inst�/control/BASE�",
    "list": "inst�/control/BASE�",
    "unread": [
      {
        "line": 1,
        "path": "./lib/f�"
      }
    ],
    "written": true
  }
  ! inst\xe9/control/.././lib/f\xe9 : unable to open this file in reading mode, check permissions mode ; CheckSum not calculated (esc)
  !  (esc)
  ! zoltoc: inst\xe9/control/BASE\xe9:1: ./lib/f\xe9: not read, written without a checksum (esc)
  [1]

A failure prints one error object, which names the file, the line and the element the same way.

  $ zoltoc element "$(printf 'NO\377')" --media "$(printf 'm\351')/MEDIA.TOC" --json
  {
    "error": {
      "code": 1,
      "element": "NO�",
      "file": "m�/MEDIA.TOC",
      "line": null,
      "message": "NO� (code) is not in m�/MEDIA.TOC"
    }
  }
  ! zoltoc: NO\xff (code) is not in m\xe9/MEDIA.TOC (esc)
  [1]
  $ printf 'A:3:0:code:PRD:X::::0::::0:L:\nA:4:0:code:FIX:Y\377::::0::::0:L:\n' > BROKEN.TOC
  $ zoltoc plan --media BROKEN.TOC X --json
  {
    "error": {
      "code": 2,
      "element": "Y�",
      "file": "BROKEN.TOC",
      "line": 2,
      "message": "ZOLINSMediaToc: Init of line number 2 from BROKEN.TOC failed\nZOLINSUnitToc: unknown package: FIX\nBROKEN.TOC:2: element Y�"
    }
  }
  ! zoltoc: ZOLINSMediaToc: Init of line number 2 from BROKEN.TOC failed
  ! zoltoc: ZOLINSUnitToc: unknown package: FIX
  ! zoltoc: BROKEN.TOC:2: element Y\xff (esc)
  [2]
  $ zoltoc levels --media "$(printf 'm\351')/MEDIA.TOC" "$(printf -- '--bogus\377')" --json
  {
    "error": {
      "code": 2,
      "element": null,
      "file": null,
      "line": null,
      "message": "levels: The following argument was not expected: --bogus� (zoltoc levels --help tells more)"
    }
  }
  ! zoltoc: levels: The following argument was not expected: --bogus\xff (zoltoc levels --help tells more) (esc)
  [2]
