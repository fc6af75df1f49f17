	org 10h
table:	db 1,2,3
	dw 1234h,
	dwl 1234h
	db
	dw table
	org 0FEh
	db 0AAh,0BBh,0CCh
;; db, dw and dwl at 0010h: one listing line per item, the text only on the first; words in
;; both byte orders; a label on a db line keeps the first item's address; a trailing comma; a
;; bare db with no listing line; data crossing a page end without fillers.
;; exit: 0
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete!
;; empty: stderr
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0010                    org 10h
;; listing: 0010 01    [00] table:  db 1,2,3
;; listing: 0011 02    [00] |
;; listing: 0012 03    [00] |
;; listing: 0013 12 34 [00]         dw 1234h,
;; listing: 0015 34 12 [00]         dwl 1234h
;; listing: 0017 00 10 [00]         dw table
;; listing: 00FE                    org 0FEh
;; listing: 00FE AA    [00]         db 0AAh,0BBh,0CCh
;; listing: 00FF BB    [00] |
;; listing: 0100 CC    [00] |
;; listing:
;; listing: CheckSum = 02D3
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:   10   table                  1
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 01 02 03 12 34 34 12 00
;; rom: 10 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 AA BB
;; rom: CC |
;; hex: :2000000000000000000000000000000000000000010203123434120010000000000000003E
;; hex: :200020000000000000000000000000000000000000000000000000000000000000000000C0
;; hex: :200040000000000000000000000000000000000000000000000000000000000000000000A0
;; hex: :20006000000000000000000000000000000000000000000000000000000000000000000080
;; hex: :20008000000000000000000000000000000000000000000000000000000000000000000060
;; hex: :2000A000000000000000000000000000000000000000000000000000000000000000000040
;; hex: :2000C000000000000000000000000000000000000000000000000000000000000000000020
;; hex: :2000E000000000000000000000000000000000000000000000000000000000000000AABB9B
;; hex: :20010000CC0000000000000000000000000000000000000000000000000000000000000013
;; hex: :00000001FF
