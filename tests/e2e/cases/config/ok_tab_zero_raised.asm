	nop	; one blank each
;; tab 0 is accepted by the reader and raised to 1 by the driver, so each tab is one blank.
;; file zelas.cfg: tab 0
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
;; listing: 0000 20    [04]  nop ; one blank each
;; listing:
;; listing: CheckSum = 0020
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
