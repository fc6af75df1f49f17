; thermostat.asm: keeps a heater between two temperatures and answers commands from a host.
; Shows a main loop, subroutines with a register save, IO reads and writes (direct and indexed)
; and a command dispatch through a jump table with jacc.

        cpu     PX104

; IO ports
TEMP_PORT:      equ     10h             ; temperature sensor, degrees in one byte
HEATER_PORT:    equ     11h             ; bit 0 switches the heater
CMD_PORT:       equ     12h             ; host command, 0 when none is pending
REPLY_PORT:     equ     13h             ; reply to the host
LED_BASE:       equ     20h             ; four status LEDs, ports 20h-23h

; RAM
low_limit:      equ     40h             ; heater goes on below this temperature
high_limit:     equ     41h             ; and off above this one
temperature:    equ     42h             ; last reading
state:          equ     43h             ; 1 while the heater is on

COMMANDS:       equ     4               ; entries in the command table

reset:
        mov     a,18                    ; defaults: 18 to 22 degrees
        mov     [low_limit],a
        mov     a,22
        mov     [high_limit],a
        mov     a,0
        mov     [state],a
        call    heater_off

main:
        call    read_temperature
        call    regulate
        call    show_state
        iord    CMD_PORT
        cmp     a,0
        jz      main
        call    dispatch
        jmp     main

; read_temperature: latest sensor value into [temperature] and a.
read_temperature:
        iord    TEMP_PORT
        mov     [temperature],a
        ret

; regulate: switches the heater with a hysteresis between the two limits.
regulate:
        mov     a,[temperature]
        cmp     a,[low_limit]
        jc      .cold
        mov     a,[high_limit]
        cmp     a,[temperature]
        jc      heater_off
        ret
.cold:
        jmp     heater_on

heater_on:
        mov     a,1
        mov     [state],a
        iowr    HEATER_PORT
        ret

heater_off:
        mov     a,0
        mov     [state],a
        iowr    HEATER_PORT
        ret

; show_state: lights LED 1 while heating, LED 0 while idle, through the indexed port write.
show_state:
        push    x
        mov     x,[state]
        mov     a,1
        iowx    [x+LED_BASE]
        pop     x
        ret

; dispatch: runs command a (1 to COMMANDS) through the jump table; others are ignored.
dispatch:
        cmp     a,COMMANDS+1
        jnc     .ignore
        dec     a
        asl     a                       ; two bytes per table entry
        jacc    command_table
.ignore:
        ret

command_table:
        jmp     cmd_report
        jmp     cmd_warmer
        jmp     cmd_cooler
        jmp     cmd_reset

cmd_report:
        mov     a,[temperature]
        iowr    REPLY_PORT
        ret

cmd_warmer:
        inc     [low_limit]
        inc     [high_limit]
        ret

cmd_cooler:
        dec     [low_limit]
        dec     [high_limit]
        ret

cmd_reset:
        jmp     reset
