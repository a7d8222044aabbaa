select extend(placed, year to minute), extend(placed, month to day) from orders where id = 11

select count(*) from orders where extend(placed, year to minute) < DATETIME(2024-02-01 10:00) YEAR TO MINUTE

select DATETIME(2024-01-31 10:00) YEAR TO MINUTE + INTERVAL(1 02:30) DAY TO MINUTE,
DATETIME(2024-03-01) YEAR TO DAY - INTERVAL(1) DAY TO DAY,
DATETIME(2023-11-28 23:59:59) YEAR TO SECOND + INTERVAL(1-3) YEAR TO MONTH from customer where id = 1

select DATETIME(2024-03-01 12:00) YEAR TO MINUTE - DATETIME(2024-02-28 10:30) YEAR TO MINUTE,
extend(placed, year to second) - DATETIME(2025-01-01 00:00:00) year to second from orders where id = 11

select placed + interval(2) month to month, today - interval(1) day to day < today from orders where id = 10

select id from orders where placed < current and placed >= DATETIME(2024-02-29) YEAR TO DAY
and DATETIME(2024-12-31 00:00) YEAR TO MINUTE >= placed and today > placed order by 1

select count(*) from customer where current - interval(1) day to day < current

select length(current year to minute), length(current hour to second), length(current year to fraction(1)) from customer

select INTERVAL(7623-11) YEAR(9) TO MONTH from customer where id = 1

select code from calls where at > '2024-01-31 10:00' and at < current

select o.id from orders o, calls x where o.placed < x.at

select id from orders where DATETIME(2024-0x-31 10:00) YEAR TO MINUTE is null

select DATETIME(2024-01-31) from customer

select extend(placed, 3) from orders
