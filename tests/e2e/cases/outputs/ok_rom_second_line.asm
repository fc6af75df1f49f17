	db 0,1,2,3,4,5,6,7
	db 8
;; Nine bytes: the ROM dump breaks after the eighth; the second line holds one byte and a blank.
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
;; listing: 0000 00    [00]         db 0,1,2,3,4,5,6,7
;; listing: 0001 01    [00] |
;; listing: 0002 02    [00] |
;; listing: 0003 03    [00] |
;; listing: 0004 04    [00] |
;; listing: 0005 05    [00] |
;; listing: 0006 06    [00] |
;; listing: 0007 07    [00] |
;; listing: 0008 08    [00]         db 8
;; listing:
;; listing: CheckSum = 0024
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; rom: 00 01 02 03 04 05 06 07
;; rom: 08 |
;; hex: :200000000001020304050607080000000000000000000000000000000000000000000000BC
;; hex: :00000001FF
