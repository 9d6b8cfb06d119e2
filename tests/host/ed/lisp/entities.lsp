;; Drawing: samples/contours.dxf
;; Counts checked with ezdxf: 549 main entities in model space, among them 14 POLYLINE
;; with 129 vertices and 71 INSERT with one attribute each; the last entity is TEXT 36D;
;; layer "0" has the handle B.

;; Testing walking the drawing with entnext
(defun walk-count (type / e n)
  (setq n 0 e (entnext))
  (while e
    (if (or (null type) (= type (cdr (assoc 0 (entget e))))) (setq n (1+ n)))
    (setq e (entnext e)))
  n)
;=>WALK-COUNT
(walk-count nil)
;=>749
(walk-count "VERTEX")
;=>129
(walk-count "ATTRIB")
;=>71
(cdr (assoc 0 (entget (entnext (ssname (ssget "X" '((0 . "POLYLINE"))) 0)))))
;=>"VERTEX"

;; Testing a loop that deletes as it walks goes on to the end
(setq n 0 gone nil e (entnext))
(while e (setq n (1+ n) next (entnext e)) (if (entdel e) (setq gone (cons e gone))) (setq e next))
!n
;=>634
(length gone)
;=>549
(entnext)
;=>nil
(entlast)
;=>nil
(foreach e gone (entdel e))
(walk-count nil)
;=>749

;; Testing entdel takes main entities only
(setq pl (ssname (ssget "X" '((0 . "POLYLINE"))) 0))
(entdel (entnext pl))
;=>nil
(cdr (assoc 0 (entget (entnext pl))))
;=>"VERTEX"

;; Testing handent finds deleted entities and table records
(setq e (entlast))
(cdr (assoc 5 (entget e)))
;=>"36D"
(entdel e)
(entget e)
;=>nil
(equal (handent "36D") e)
;=>T
(equal (entdel (handent "36d")) e)
;=>T
(cdr (assoc 0 (entget e)))
;=>"TEXT"
(handent "B")
;=><Entity name: b>
(handent "FFFFFF")
;=>nil
(handent "")
;=>nil
(handent "-1")
;=>nil
(handent 11)
;!bad argument type: stringp: 11
