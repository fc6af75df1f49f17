	nop
;; A bare -p takes no value from the next argument, which is read as the source name: a note
;; shows how the value is written. The last name given is the source.
;; args: -p PX107 prog
;; exit: 0
;; stderr:
;; stderr: Note : -p takes its value joined to it, as in '-pPX107'; 'PX107' is read as the source name.
