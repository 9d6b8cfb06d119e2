;; Testing commands defined in LISP
(defun c:hi () (princ "Hello.") (princ))
;=>C:HI
hi
;/Hello.
(defun c:value () (+ 1 2))
_VALUE
;=>3
(c:value)
;=>3

;; Testing command never succeeds silently
(command "NOSUCH")
;!unknown command "NOSUCH"
(command "NOSUCH" "1")
;!unknown command "NOSUCH"
(command 'ZOOM)
;!bad argument type: stringp: ZOOM
(command "ZOOM" "E" car)
;!bad argument type: #<SUBR CAR>
(command)
;=>nil
(command "")
;=>nil

;; Testing a user *error* replaces the error message
(defun *error* (msg) (princ (strcat "Oops: " msg)) (princ))
;=>*ERROR*
(/ 1 0)
;/Oops: divide by zero
(exit)
;/Oops: quit / exit abort
(command "NOSUCH")
;/Oops: unknown command "NOSUCH"
(defun *error* (msg) (car 1))
;=>*ERROR*
(/ 1 0)
;/
(setq *error* nil)
;=>nil
(/ 1 0)
;!divide by zero
