select * from informix.customer where customer.id = 1

select * from "informix".customer c, anna.orders o where c.id = o.customer

select informix.customer.name, informix.nvl(city, '') from shop:informix.customer

select * from shop@server:"informix".orders

select * from other:customer

delete from informix.orders where id in (select o.id from anna.orders o, outer informix.items i where o.id = i.order_id)

update informix.orders set total = 1 where id = 10

insert into "anna".orders (id, placed) values (1, '01/02/2024')

select c.id (+) from customer c

select o.id from orders o, table(multiset(select id from informix.customer)) t

select trim(leading from name), extract(year from today) from informix.customer
