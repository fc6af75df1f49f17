	db 1,2,3
;; Three data bytes: a ROM line of three bytes and a blank, checksum 0006, one full HEX record
;; with 29 fill bytes and the end record.
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
;; listing: 0000 01    [00]         db 1,2,3
;; listing: 0001 02    [00] |
;; listing: 0002 03    [00] |
;; listing:
;; listing: CheckSum = 0006
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; rom: 01 02 03 |
;; hex: :200000000102030000000000000000000000000000000000000000000000000000000000DA
;; hex: :00000001FF
