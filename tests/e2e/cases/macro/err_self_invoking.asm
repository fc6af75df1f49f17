        macro again n
        nop
        again n
        endm
        again 1
;; A macro that invokes itself ends at the nesting limit with a fatal report and status 1.
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stderr:
;; stderr: Error : Macro nesting deeper than 256 levels: 'again' invokes itself or nests too deeply.
;; stderr: 0.15:         again 1
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: ; Error : Macro nesting deeper than 256 levels: 'again' invokes itself or nests too deeply.
