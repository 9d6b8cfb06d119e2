;; Testing unknown and bad functions
(foo 1)
;!no function definition: FOO
(setq notfn 5)
;=>5
(notfn)
;!bad function: 5
(1 2)
;!bad function: 1
("s")
;!bad function: "s"

;; Testing argument counts
(car)
;!too few arguments
(car '(1) '(2))
;!too many arguments
(defun two (a b) a)
;=>TWO
(two 1)
;!too few arguments
(two 1 2 3)
;!too many arguments
(if)
;!too few arguments
(if t 1 2 3)
;!too many arguments
(setq a)
;!too few arguments
(setq a 1 b)
;!too few arguments
(substr "abc")
;!too few arguments
(quote)
;!too few arguments
(cons 1)
;!too few arguments

;; Testing argument types
(+ 1 "a")
;!bad argument type: numberp: "a"
(* 'x 2)
;!bad argument type: numberp: X
(strcat "a" 1)
;!bad argument type: stringp: 1
(strlen 'x)
;!bad argument type: stringp: X
(itoa 1.5)
;!bad argument type: fixnump: 1.5
(car 5)
;!bad argument type: consp: 5
(cadr '(1 . 2))
;!bad argument type: consp: 2
(nth 1.0 '(1))
;!bad argument type: fixnump: 1.0
(repeat "x" 1)
;!bad argument type: fixnump: "x"
(foreach x 5 x)
;!bad argument type: listp: 5
(setq 1 2)
;!bad argument type: symbolp: 1
(setq t 2)
;!bad argument type: symbolp: T
(defun "f" () 1)
;!bad argument type: symbolp: "f"
(defun f (1) 1)
;!bad argument type: symbolp: 1
(< 1 "a")
;!bad argument type: numberp: "a"
(< "a" 1)
;!bad argument type: stringp: 1
(distance '(0 0) 5)
;!bad argument type: 2D/3D point: 5
(distance '(0 0) '(1 "a"))
;!bad argument type: 2D/3D point: (1 "a")
(length '(1 . 2))
;!bad list: (1 . 2)
(cond 1)
;!bad argument type: consp: 1
(princ "x" 3)
;!bad argument type: streamp: 3

;; Testing arithmetic faults
(/ 1 0)
;!divide by zero
(/ 1.0 0)
;!divide by zero
(/ 5 0.0)
;!divide by zero
(rem 5 0)
;!divide by zero
(expt 0 -1)
;!divide by zero
(sqrt -1)
;!function undefined for argument: -1
(log 0)
;!function undefined for argument: 0

;; Testing bad argument values
(substr "abc" 0)
;!bad argument value: positive: 0
(substr "abc" 1 -1)
;!bad argument value: non-negative: -1
(nth -1 '(1))
;!bad argument value: non-negative: -1
(rtos 1.0 9)
;!bad argument value: unit mode: 9
(chr -1)
;!bad argument value: character code: -1
(chr 55296)
;!bad argument value: character code: 55296

;; Testing reader faults
)
;!extra right paren on input
(+ 1 2))
;!extra right paren on input
(1 . )
;!misplaced dot on input
(. 1)
;!misplaced dot on input
(1 . 2 3)
;!misplaced dot on input

;; Testing an error ends the line and the rest is not evaluated
(setq r 1) (car 1) (setq r 2)
;!bad argument type: consp: 1
r
;=>1

;; Testing a failed call restores the bindings it made
(setq w "global")
;=>"global"
(defun failing (w / loc) (setq loc 1) (car w))
;=>FAILING
(failing 3)
;!bad argument type: consp: 3
w
;=>"global"
loc
;=>nil

;; Testing endless recursion fails cleanly and the interpreter goes on
(defun forever (n) (forever (1+ n)))
;=>FOREVER
(forever 0)
;!stack overflow: recursion too deep
(setq nested nil)
;=>nil
(defun nest (n) (if (> n 0) (list (nest (1- n)))))
;=>NEST
(nest 100000)
;!stack overflow: recursion too deep
(+ 1 2)
;=>3

;; Testing exit ends the program as an error
(progn (setq before-exit 1) (exit) (setq after-exit 1))
;!quit / exit abort
after-exit
;=>nil
(quit 1)
;!too many arguments
