select id from orders where placed = '12/31/2024'

select id from orders o where '12/31/2024' = o.placed

select id from orders where placed between '01/01/2024' and "03/01/2024" order by 1

select id from orders where placed not in ('01/15/2024', '02/29/2024')

select count(*) from orders where today > '12/31/2024' and '01/01/2000' < today

select id from orders where placed matches '12/*' or placed like '01/%'

select o.id, n.placed from orders o, notes n where o.placed = '12/31/2024' and n.placed = '12/31/2024'

select today - today, c.*, o.placed + 1 from customer c, orders o where o.customer = c.id and o.id = 12

select placed - 1, * from orders where id = 11

select case when id = 10 then placed when id = 11 then null else today end,
decode(id, 10, placed + 1, null), case when id = 10 then placed - today else 0 end <= 0 from orders where id = 10

select placed + 1, placed - 366 as earlier from orders where id = 11

select placed - mdy(1, 1, 2024), today - today from orders where id = 11

select id from orders where placed = ?

select id from orders where placed > '2024-02-01'

select id from orders where placed > '2024/31/12'

select mdy(2, 29, 2024), mdy(12, 31, 1899) + 1 from customer where id = 1

select year(placed), month(placed), day(placed), weekday(placed) from orders where id = 11

select date('12/31/2024'), date('2024-02-29 10:30:00') from customer where id = 1

select * from orders where placed > '02/01/2024' into temp recent with no log

select id, placed from orders order by placed desc
