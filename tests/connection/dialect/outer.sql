select c.name, o.id from customer c, outer orders o where c.id = o.customer order by 1, 2

select c.name, o.id from customer c, outer orders o
where c.id = o.customer and o.total > 60 order by 1

select c.name, o.id from customer c, outer orders o where c.city = 'Oslo' and c.id = o.customer

select name, total from customer c, outer orders o where c.id = o.customer and total < 30

select c.name, o.id, i.item from customer c, outer (orders o, outer items i)
where c.id = o.customer and o.id = i.order_id and i.item = 'pen' order by 1, 2

select c.name, o.id, x.code from customer c, outer orders o, outer calls x
where c.id = o.customer and c.id = x.customer

select customer.name, orders.id from customer, outer orders where customer.id = orders.customer and orders.id = 12

select c.name, o.id from customer c, outer orders o where c.id = o.customer and o.id = 12
union all select c.name, x.code from customer c, outer calls x where c.id = x.customer and x.code = 'D' order by 1, 2

select c.name, x.code from outer calls x, customer c where x.customer = c.id order by 1

select c.name, nvl(o.total, 0) from customer c, outer orders o where c.id = o.customer and (o.id = 12 or o.id = 10)

select c.name from customer c, outer orders o where c.id = o.customer and o.placed between '01/01/2024' and '12/31/2024'

select c.name from customer c left outer join orders o on c.id = o.customer

select c.name from customer c, outer orders o where c.id = o.customer and o.id = ?

select c.name from customer c, outer orders o, outer calls x
where c.id = o.customer and c.id = x.customer and o.customer = x.customer

select c.name from customer c, outer orders o where c.id > 0

select c.name from customer c, outer (orders o, outer items i), outer calls x
where c.id = o.customer and o.id = i.order_id and c.id = x.customer and x.customer = i.order_id

select name from customer union select c.name from customer c, outer calls x where c.id = 1

select * from customer c left join orders o on c.id = o.customer, outer calls x where x.customer = c.id

select * from outer orders o

select c.name from customer c, outer orders o where c.id = o.customer and o.placed = '1/1'
