        macro outer
        nop
  MACRO inner
        endm
;; Definitions can't nest: a body line that begins with macro is fatal.
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stderr:
;; stderr: Error : New MACRO Reached: 'ENDM' missing in 'outer' macro definition.
;; stderr: 3.7:   MACRO inner
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: ; Error : New MACRO Reached: 'ENDM' missing in 'outer' macro definition.
