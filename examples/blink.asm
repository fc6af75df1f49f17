; blink.asm: blinks an LED at one of four speeds; a push button steps through the speeds.
; Shows the product selection, an include, equates, a macro with a local label, conditional
; assembly, subroutines, IO and a jump table.

        cpu     PX107
        include "blink_io.inc"

ifdef   BCPU
STACK_TOP:      equ     0F0h            ; family B parts have 256 bytes of RAM
else
STACK_TOP:      equ     70h
endif

; wait ticks: spins until the timer has advanced by ticks.
        macro   wait ticks
        iord    TIMER_PORT
        add     a,ticks
        mov     [counter],a
spin:   iord    TIMER_PORT
        cmp     a,[counter]
        jnz     spin
        endm

reset:
        mov     a,STACK_TOP
        swap    a,dsp
        mov     a,0
        mov     [mode],a
        mov     [counter],a

main:
        call    check_button
        call    led_on
        call    delay
        call    led_off
        call    delay
        jmp     main

; check_button: steps the mode when the button (bit 0) is pressed.
check_button:
        iord    BUTTON_PORT
        and     a,01h
        jz      .done
        inc     [mode]
        mov     a,[mode]
        and     a,03h
        mov     [mode],a
.done:
        ret

led_on:
        mov     a,1
        iowr    LED_PORT
        ret

led_off:
        mov     a,0
        iowr    LED_PORT
        ret

; delay: waits according to the mode, through a jump table.
delay:
        mov     a,[mode]
        asl
        jacc    delay_table
delay_table:
        jmp     delay_fast
        jmp     delay_medium
        jmp     delay_slow
        jmp     delay_slowest

delay_fast:
        wait    10h
        ret
delay_medium:
        wait    40h
        ret
delay_slow:
        wait    80h
        ret
delay_slowest:
        wait    0F0h
        ret

version:
        db      1, 94
        ds      "blink"
