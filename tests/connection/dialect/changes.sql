insert into orders values (13, 1, '02/28/2024', 5)

insert into orders (id, customer, placed, total) values (11, 1, "12/31/2024", 70)

insert into orders values (12, 2, mdy(2, 29, 2024), 20)

insert into orders (placed, id) values ('05/01/2024', 16)

insert into orders (id, placed) values (14, today)

insert into orders (id, placed) values (?, ?)

insert into orders (placed, id) select '09/09/2024', id + 100 from customer where id = 1

insert into notes values ('12/31/2024')

insert into orders values (13, 1, '02/30/2024', 5)

update orders set placed = '03/01/2024' where id = 10

update orders set placed = placed + 30 where id = 10

update orders set (total, placed) = (1, '04/01/2024') where id = 12

update orders set total = 1, placed = 'soon' where id = 10

delete from orders where placed < '01/01/2024'
