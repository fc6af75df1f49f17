; SYNTAX TEST "source.zelas" "labels, mnemonics, registers and the statement word"

start:  mov     a,[x+12h]       ; load
; <----- entity.name.label.zelas
;    ^ punctuation.separator.label.zelas
;       ^^^ keyword.other.mnemonic.zelas
;               ^ variable.language.register.zelas
;                ^ punctuation.separator.zelas
;                 ^ punctuation.section.brackets.zelas
;                  ^ variable.language.register.zelas
;                   ^ keyword.operator.zelas
;                    ^^^ constant.numeric.hex.zelas
;                       ^ punctuation.section.brackets.zelas
;                               ^^^^^^ comment.line.semicolon.zelas

.loop:  IOWR    LED_PORT        // the LED
; <----- entity.name.label.local.zelas
;       ^^^^ keyword.other.mnemonic.zelas
;               ^^^^^^^^ variable.other.zelas
;                               ^^^^^^^^^^ comment.line.double-slash.zelas

        Swap    A,DSP
;       ^^^^ keyword.other.mnemonic.zelas
;               ^ variable.language.register.zelas
;                 ^^^ variable.language.register.zelas
        mov     psp,a
;               ^^^ variable.language.register.zelas

lbl :   jnz     .loop
; <--- entity.name.label.zelas
;   ^ punctuation.separator.label.zelas
;       ^^^ keyword.other.mnemonic.zelas
;               ^^^^^ variable.other.label.local.zelas

        reti
;       ^^^^ keyword.other.mnemonic.zelas
        ret
;       ^^^ keyword.other.mnemonic.zelas
        jacc    $+2
;       ^^^^ keyword.other.mnemonic.zelas
;               ^ variable.language.location-counter.zelas
;                ^ keyword.operator.zelas
;                 ^ constant.numeric.decimal.zelas

; A name only starts a statement in the first place: elsewhere a mnemonic's letters are a name.
        jmp     add_x
;               ^^^^^ variable.other.zelas - keyword
        call    ax
;               ^^ - variable.language.register.zelas
        xpage
;       ^^^^^ keyword.other.mnemonic.zelas

; Without its colon a name is the statement word, not a label.
start2  nop
; <------ entity.name.function.macro.call.zelas
;       ^^^ - keyword.other.mnemonic.zelas

; Neither a comment nor a keyword inside a comment starts a statement.
        ; mov a,1
;         ^^^ comment.line.semicolon.zelas - keyword
