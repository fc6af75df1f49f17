	org 0FEh
before:
here:	jmp before
	org 1FFh
	jmp here
	nop
;; Fillers at a page end: a two-byte instruction reached at FEh moves behind NOP and XPAGE, one
;; reached at FFh behind XPAGE, and a label alone on the line before names the filler's address
;; while a label on the instruction's line names the instruction.
;; exit: 0
;; empty: stderr
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 00FE                    org 0FEh
;; listing: 00FE            before:
;; listing: 00FE 20    [04]         NOP
;; listing: 00FF 1F    [04]         XPAGE
;; listing: 0100 80 FE [05] here:   jmp before
;; listing: 01FF                    org 1FFh
;; listing: 01FF 1F    [04]         XPAGE
;; listing: 0200 81 00 [05]         jmp here
;; listing: 0202 20    [04]         nop
;; listing:
;; listing: CheckSum = 027D
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:   fe   before                 1
;; listing:  100   here                   1
