	db 255,-128,256,-129
	dw 0FFFFh,10000h
	db 1] 2
	db 3
;; Range faults are minor warnings and the truncated value is stored: db 256 and -129, dw 10000h;
;; 255, -128 and 0FFFFh pass. A stray ] after an item ends the list with one warning.
;; exit: 4
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : '100h' is larger than a byte.
;; stderr: 1.24: |
;; stderr:
;; stderr: Warning : 'FFFFFF7Fh' is larger than a byte.
;; stderr: 1.28: |
;; stderr:
;; stderr: Warning : '10000h' is larger than a word (16bits)
;; stderr: 2.24: |
;; stderr:
;; stderr: Warning : Unexpected ']' in operand list; rest of line ignored.
;; stderr: 3.12:         db 1] 2
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0000 FF    [00]         db 255,-128,256,-129
;; listing: 0001 80    [00] |
;; listing: **** Warning : '100h' is larger than a byte.
;; listing: 0002 00    [00] |
;; listing: **** Warning : 'FFFFFF7Fh' is larger than a byte.
;; listing: 0003 7F    [00] |
;; listing: 0004 FF FF [00]         dw 0FFFFh,10000h
;; listing: **** Warning : '10000h' is larger than a word (16bits)
;; listing: 0006 00 00 [00] |
;; listing: **** Warning : Unexpected ']' in operand list; rest of line ignored.
;; listing: 0008 01    [00]         db 1] 2
;; listing: 0009 03    [00]         db 3
;; listing:
;; listing: CheckSum = 0400
;; listing: Warnings = 4
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; rom: FF 80 00 7F FF FF 00 00
;; rom: 01 03 |
;; hex: :20000000FF80007FFFFF0000010300000000000000000000000000000000000000000000E0
;; hex: :00000001FF
