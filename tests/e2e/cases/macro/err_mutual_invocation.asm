        macro ping
        pong
        endm
        macro pong
        ping
        endm
        ping
;; Two macros that invoke each other end at the nesting limit just as a self-invoking one does.
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stderr:
;; stderr: Error : Macro nesting deeper than 256 levels: 'ping' invokes itself or nests too deeply.
;; stderr: 0.12:         ping
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: ; Error : Macro nesting deeper than 256 levels: 'ping' invokes itself or nests too deeply.
