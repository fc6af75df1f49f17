	nop
;; A -c file that can't be opened gives one warning on standard error and in the listing, counts
;; in the exit status, and leaves the defaults.
;; args: prog -c absent.cfg
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Unable to open config file, 'absent.cfg': Using default values.
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Warning : Unable to open config file, 'absent.cfg': Using default values.
;; listing:
;; listing: 0000 20    [04]         nop
;; listing:
;; listing: CheckSum = 0020
;; listing: Warnings = 1
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
