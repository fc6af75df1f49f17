	nop
;; --max-reports takes a decimal count.
;; args: --max-reports=ten prog
;; exit: 1
;; stderr:
;; stderr: Error : invalid value 'ten' for option '--max-reports'
;; absent: prog.lst
