        macro count cnt
lp:    mov a, cnt   ; load
        jz done
        jnz lp
done:   ret
        endm
start:
        count 5
        count 3   ; again
;; Two expansions of a macro whose body defines the label lp: lp#1 and lp#2 keep the columns of
;; the body, the parameter is substituted, and a label referenced above its definition in the
;; body is suffixed from pass 2 on, so the jump finds the label of its own expansion.
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
;; listing: 0000                    macro count cnt
;; listing: 0000            lp:    mov a, cnt   ; load
;; listing: 0000                    jz done
;; listing: 0000                    jnz lp
;; listing: 0000            done:   ret
;; listing: 0000                    endm
;; listing: 0000            start:
;; listing: **** MACRO ****         count 5
;; listing: 0000 19 05 [04] lp#1:  mov a, 5   ; load
;; listing: 0002 A0 06 [05]         jz done#1:
;; listing: 0004 B0 00 [05]         jnz lp#1:
;; listing: 0006 3F    [08] done#1: ret
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         count 3   ; again
;; listing: 0007 19 03 [04] lp#2:  mov a, 3      ; load
;; listing: 0009 A0 0D [05]         jz done#2:
;; listing: 000B B0 07 [05]         jnz lp#2:
;; listing: 000D 3F    [08] done#2: ret
;; listing: ***END MACRO*** |
;; listing:
;; listing: CheckSum = 0372
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    6   done#1                 1
;; listing:    d   done#2                 1
;; listing:    0   lp#1                   1
;; listing:    7   lp#2                   1
;; listing:    0   start                  0
