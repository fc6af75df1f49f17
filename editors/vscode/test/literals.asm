; SYNTAX TEST "source.zelas" "numbers in every radix, character constants, strings and expressions"

        db      12, 12d, 0FFh, ffH, 101b, 0b, 0123
;               ^^ constant.numeric.decimal.zelas
;                   ^^^ constant.numeric.decimal.zelas
;                        ^^^^ constant.numeric.hex.zelas
;                              ^^^ constant.numeric.hex.zelas
;                                   ^^^^ constant.numeric.binary.zelas
;                                         ^^ constant.numeric.binary.zelas
;                                             ^^^^ constant.numeric.decimal.zelas

; 1B and 0AD are no numbers: their last letter reads as a radix suffix.
        db      1B, 0AD, 1Bh
;               ^^ - constant.numeric
;                   ^^^ - constant.numeric
;                        ^^^ constant.numeric.hex.zelas

        db      'A', 'AB', '\'', '\\', ';'  ; a quote, a backslash and a semicolon
;               ^^^ constant.character.zelas
;               ^ punctuation.definition.character.begin.zelas
;                 ^ punctuation.definition.character.end.zelas
;                    ^^^^ constant.character.zelas
;                           ^^ constant.character.escape.zelas
;                             ^ punctuation.definition.character.end.zelas
;                                 ^^ constant.character.escape.zelas
;                                        ^ constant.character.zelas - comment
;                                           ^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^ comment.line.semicolon.zelas

        ds      "say \"hi\"; // not a comment"
;               ^ punctuation.definition.string.begin.zelas
;                ^^^^ string.quoted.double.zelas
;                    ^^ constant.character.escape.zelas
;                          ^^^^^^^^^^^^^^^^^^ string.quoted.double.zelas - comment
;                                            ^ punctuation.definition.string.end.zelas
        dsu     "open
;                ^^^^ string.quoted.double.zelas
        nop
;       ^^^ keyword.other.mnemonic.zelas

        dw      -(1+2)*3 & ~0FFh ^ 2 | 1 / 4
;               ^ keyword.operator.zelas
;                ^ punctuation.section.parens.zelas
;                  ^ keyword.operator.zelas
;                    ^ punctuation.section.parens.zelas
;                     ^ keyword.operator.zelas
;                      ^ constant.numeric.decimal.zelas
;                        ^ keyword.operator.zelas
;                          ^ keyword.operator.zelas
;                           ^^^^ constant.numeric.hex.zelas
;                                ^ keyword.operator.zelas
;                                    ^ keyword.operator.zelas
;                                        ^ keyword.operator.zelas
