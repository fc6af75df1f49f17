	nop
	org 4
x:	halt
;; zelas.cfg sets the tab width and the fill byte: tabs in the source expand to stops of 4, and
;; the gap left by org is filled with FFh. The notice line stands after the banner.
;; file zelas.cfg: ; settings for this project
;; file zelas.cfg: TAB 3 ; three, replaced below
;; file zelas.cfg: tab 4
;; file zelas.cfg: fillrom 0FFh
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
;; listing:
;; listing:  Using Configuration File 'zelas.cfg'.
;; listing:
;; listing: 0000 20    [04]     nop
;; listing: 0004                org 4
;; listing: 0004 00    [07] x:  halt
;; listing:
;; listing: CheckSum = 031D
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    4   x                      0
;; rom: 20 FF FF FF 00 |
