What a medium offers and what is installed: packages lists elements, element shows one record and
who needs it, levels the levels of a table.

  $ zoltoc packages --install $EXAMPLES/installation --package PRD
  PRD  code          EDITOR                   Model editor
  $ zoltoc element NOPE --install $EXAMPLES/installation
  ! zoltoc: NOPE (code) is not in $EXAMPLES/installation/control/PRESENT
  [1]

A medium that does not load is named with the line and the element, after the library's own
message.

  $ printf '%s\n' A:3:0:code:PRD:X::::0::::0:L: A:4:0:code:FIX:Y::::0::::0:L: > BAD.TOC
  $ zoltoc levels --media BAD.TOC
  ! zoltoc: ZOLINSMediaToc: Init of line number 2 from BAD.TOC failed
  ! zoltoc: ZOLINSUnitToc: unknown package: FIX
  ! zoltoc: BAD.TOC:2: element Y
  [2]

The listings do not stop at the 4096 entries of the library's result containers: here 5000
products need one framework.

  $ i=10000; echo A:3:1:code:FWK:HUB::::0:20260101000000:os1:ga1:0:Hub: > MEDIA.TOC
  > while [ $i -lt 15000 ]; do
  >   echo A:$((i - 9996)):1:code:PRD:P$i::HUB::0:20260101000000:os1:ga1:0:P$i label:
  >   i=$((i + 1))
  > done >> MEDIA.TOC
  $ zoltoc packages --media MEDIA.TOC --package PRD > listed; wc -l < listed; tail -n 1 listed
  5000
  PRD  code          P14999                   P14999 label
  $ zoltoc element HUB --media MEDIA.TOC --json > hub; grep -c '^    "P1' hub
  5000
  $ sed '/"P10001"/,/"P14998"/d' hub
  {
    "conditionallyRequiredBy": [],
    "gaLevel": "ga1",
    "ifreqs": [],
    "label": "Hub",
    "langSizes": [],
    "line": "code:FWK:HUB::::0:20260101000000:os1:ga1:0:Hub:",
    "media": {
      "archiveSize": 1,
      "medium": "A",
      "order": 3
    },
    "name": "HUB",
    "os": "os1",
    "package": "FWK",
    "prereqs": [],
    "requiredBy": [
      "P10000",
      "P14999"
    ],
    "sizefs": 0,
    "spkLevel": 0,
    "supersededBy": [],
    "supersedes": [],
    "timestamp": "20260101000000",
    "type": "code"
  }
