	xpageoff
	org 1FFh
	jmp 0
	org 2FEh
	jmp 0
	nop
	xpageon
	nop
;; With page handling off, crossings are reported (the one-byte and end-on-last-byte cases as
;; minor warnings) and the bytes stay where they are.
;; exit: 2
;; stderr:
;; stderr: Warning : Following instruction crosses page boundary. WILL NOT EXECUTE CORRECTLY!
;; stderr: 3.13:         jmp 0
;; stderr:
;; stderr: Warning : Page crossing detected and XPAGEOFF enabled.
;; stderr: 5.13:         jmp 0
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0000                    xpageoff
;; listing: 01FF                    org 1FFh
;; listing: **** Warning : Following instruction crosses page boundary. WILL NOT EXECUTE CORRECTLY!
;; listing: 01FF 80 00 [05]         jmp 0
;; listing: 02FE                    org 2FEh
;; listing: **** Warning : Page crossing detected and XPAGEOFF enabled.
;; listing: 02FE 80 00 [05]         jmp 0
;; listing: 0300 20    [04]         nop
;; listing: 0301                    xpageon
;; listing: 0301 20    [04]         nop
;; listing:
;; listing: CheckSum = 0140
;; listing: Warnings = 2
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
