	nop
	org 2
;; -t applied after the configuration file wins over its tab setting; fillrom FFh is 255 as well.
;; args: prog -t 2
;; file zelas.cfg: tab 4
;; file zelas.cfg: fillrom FFh
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
;; listing: 0000 20    [04]   nop
;; listing: 0002              org 2
;; listing:
;; listing: CheckSum = 011F
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; rom: 20 FF |
