	nop
;; An unknown product given with -p leaves the default product in place. It used to be ignored
;; without a word; now standard error says so, and the counts and the exit status stay as they
;; were (the warning comes before reporting starts).
;; args: -pPX999 prog
;; exit: 0
;; stderr:
;; stderr: Warning : Product ID 'PX999'is unknown!
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0000 20    [04]         nop
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
