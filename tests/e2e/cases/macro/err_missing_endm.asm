        nop
        macro open p
        db p
;; A body that runs to the end of the file stops the run in pass 1 with status 1, although
;; pass-1 reports are otherwise off.
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stderr:
;; stderr: Error : EOF Reached: 'ENDM' missing in 'open' macro definition.
;; stderr: 4.0: |
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: ; Error : EOF Reached: 'ENDM' missing in 'open' macro definition.
