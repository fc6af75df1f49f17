	org	7FEh
last:	nop
	db	1,2
	ds	"ab"
	nop
;; Code and data stored at or beyond the product's ROM (2048 bytes for the default product) is
;; an error, once, naming the first address beyond, the ROM size and how far the program reaches.
;; Before, such a program assembled with no report at all.
;; exit: 1
;; stderr:
;; stderr: Error : Program does not fit the ROM: code or data at '0800h' >= 0800h, the ROM size; the program reaches 0804h.
;; stderr: 3.19: |
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 07FE                    org     7FEh
;; listing: 07FE 20    [04] last:   nop
;; listing: 07FF 01    [00]         db      1,2
;; listing: **** Error : Program does not fit the ROM: code or data at '0800h' >= 0800h, the ROM size; the program reaches 0804h.
;; listing: 0800 02    [00] |
;; listing: 0801 61 62 ...          ds      "ab"
;; listing: 0803 20    [04]         nop
;; listing:
;; listing: CheckSum = 0106
;; listing: Warnings = 0
;; listing: Errors   = 1
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:  7fe   last                   0
