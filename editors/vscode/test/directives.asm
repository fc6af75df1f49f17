; SYNTAX TEST "source.zelas" "directives, conditionals, macros, include and products"

        cpu     PX107
;       ^^^ keyword.other.directive.zelas
;               ^^^^^ constant.language.product.zelas
        include "blink_io.inc"
;       ^^^^^^^ keyword.control.import.zelas
;               ^ string.quoted.double.include.zelas punctuation.definition.string.begin.zelas
;                ^^^^^^^^^^^^ string.quoted.double.include.zelas markup.underline.link.include.zelas
;                            ^ punctuation.definition.string.end.zelas

ifdef   BCPU
; <----- keyword.control.conditional.zelas
;       ^^^^ constant.language.product.zelas
TOP:    EQU     0F0h
; <--- entity.name.label.zelas
;       ^^^ keyword.other.directive.zelas
Else
; <---- keyword.control.conditional.zelas
TOP:    equ     70h
endif
; <----- keyword.control.conditional.zelas
        define  fast
;       ^^^^^^ keyword.control.conditional.zelas
if      TOP & 80h
; <-- keyword.control.conditional.zelas
endif

        macro   wait ticks, port
;       ^^^^^ keyword.other.directive.macro.zelas
;               ^^^^ entity.name.function.macro.zelas
;                    ^^^^^ variable.parameter.zelas
;                         ^ punctuation.separator.zelas
;                           ^^^^ variable.parameter.zelas
        iord    port
spin:   add     a,ticks
        jnz     spin
        endm
;       ^^^^ keyword.other.directive.macro.zelas

main:   wait    40h, 20h
;       ^^^^ entity.name.function.macro.call.zelas
;               ^^^ constant.numeric.hex.zelas

        org     100h
;       ^^^ keyword.other.directive.zelas
        dwl     1234h
;       ^^^ keyword.other.directive.zelas
        fillrom 0FFh
;       ^^^^^^^ keyword.other.directive.zelas
        xpageoff
;       ^^^^^^^^ keyword.other.directive.zelas
        xpageon
;       ^^^^^^^ keyword.other.directive.zelas
