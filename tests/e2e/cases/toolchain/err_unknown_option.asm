	nop
;; An unknown long option is an error before anything is read or created.
;; args: --deps=prog.d --colour prog
;; exit: 1
;; empty: stdout
;; stderr:
;; stderr: Error : unknown option '--colour'
;; absent: prog.lst
;; absent: prog.d
