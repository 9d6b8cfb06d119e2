;; Testing rtos in every mode, as the host formats 29.25
(rtos 29.25 1 3)
;=>"2.925E+01"
(rtos 29.25 2 3)
;=>"29.250"
(rtos 29.25 3 2)
;=>"2'-5.25\""
(rtos 29.25 4 2)
;=>"2'-5 1/4\""
(rtos 29.25 5 2)
;=>"29 1/4"
(rtos 36.0 4 2)
;=>"3'"
(rtos 5.25 4 2)
;=>"5 1/4\""
(rtos 0.0 4 2)
;=>"0\""
(rtos -29.25 4 2)
;=>"-2'-5 1/4\""
(rtos 29.25 4 1)
;=>"2'-5 1/2\""
(rtos 11.999 4 2)
;=>"1'"

;; Testing rtos precision beyond eight places
(rtos 1.0 2 12)
;=>"1.000000000000"
(rtos (/ 1.0 3) 2 15)
;=>"0.333333333333333"
(rtos 1.0 2 20)
;=>"1.000000000000000"
(rtos 0.5 5 10)
;=>"1/2"
(rtos 1.0 2 -1)
;!bad argument value: precision: -1
(rtos 1.0 0)
;!bad argument value: unit mode: 0
(rtos 1.5)
;=>"1.5000"
(rtos 1.5 nil 1)
;=>"1.5"

;; Testing distof reads what rtos writes
(distof "2'-5 1/4\"" 4)
;=>29.25
(distof "2'5-1/4\"" 4)
;=>29.25
(distof "2'-5.25\"" 3)
;=>29.25
(distof "2'-5.25\"" 4)
;=>29.25
(distof "3'" 4)
;=>36.0
(distof "5 1/4\"" 4)
;=>5.25
(distof "-2'-5 1/4\"" 4)
;=>-29.25
(distof "29 1/4" 5)
;=>29.25
(distof "29-1/4" 5)
;=>29.25
(distof "3/4" 5)
;=>0.75
(distof "2.925E+01" 1)
;=>29.25
(distof " 12.5 " 2)
;=>12.5
(distof ".5" 2)
;=>0.5
(distof "wide" 2)
;=>nil
(distof "12.5m" 2)
;=>nil
(distof "1/0" 5)
;=>nil
(distof "1'-2'" 4)
;=>nil
(distof "1.5" 9)
;!bad argument value: unit mode: 9
(distof (rtos 123.456 4 3) 4)
;=>123.5

;; Testing angtos in every unit
(angtos (/ pi 2) 0 2)
;=>"90.00"
(angtos (/ pi 2) 2 2)
;=>"100.00g"
(angtos (/ pi 2) 3 3)
;=>"1.571r"
(angtos (* pi 0.75) 4 0)
;=>"N 45d W"
(angtos (- (/ pi 2)) 0 0)
;=>"270"
(angtos (* pi (/ 45.5 180)) 1 4)
;=>"45d30'0\""
(angtos (* pi (/ 45.5 180)) 1 2)
;=>"45d30'"
(angtos (* pi (/ 45.7 180)) 1 0)
;=>"46d"
(angtos (* pi (/ 10.0 180)) 4 2)
;=>"N 80d0' E"
(angtos (* pi (/ 200.0 180)) 4 0)
;=>"S 70d W"
(angtos (* pi (/ 300.0 180)) 4 0)
;=>"S 30d E"
(angtos (/ pi 2) 4 0)
;=>"N"
(angtos 0 4 0)
;=>"E"
(angtos pi 4 0)
;=>"W"
(angtos (/ pi 2) 5 0)
;=>nil

;; Testing angtof reads what angtos writes and typed forms
(angtof "90")
;=>1.5708
(angtof "1.5" 3)
;=>1.5
(angtof "1.5r" 3)
;=>1.5
(angtof "100g" 2)
;=>1.5708
(angtof "45d30'0\"" 1)
;=>0.794125
(angtof "45d30'" 1)
;=>0.794125
(angtof "N 45d W" 4)
;=>2.35619
(angtof "N45dW" 4)
;=>2.35619
(angtof "s 30d e" 4)
;=>5.23599
(angtof "E" 4)
;=>0.0
(angtof "N 95d W" 4)
;=>nil
(angtof "sideways")
;=>nil
(angtof "45d30" 1)
;=>nil

;; Testing cvunit
(cvunit 3 "feet" "inches")
;=>36.0
(cvunit '(1 2) "m" "cm")
;=>(100.0 200.0)
(cvunit '(1 2 3) "km" "m")
;=>(1000.0 2000.0 3000.0)
(cvunit 1 "kg" "inch")
;=>nil
(cvunit 1 "furlong" "m")
;=>nil
(cvunit 1 "acre" "sq  yard")
;=>4840.0
(cvunit 100 "Celsius" "fahrenheit")
;=>212.0
(cvunit 180 "degree" "radian")
;=>3.14159
(cvunit 2 "hours" "minute")
;=>120.0
(cvunit 1 "mm" "m")
;=>0.001
(cvunit "1" "m" "mm")
;!bad argument type: 2D/3D point: "1"
