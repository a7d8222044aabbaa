select decode(city, 'Oslo', 'N', 'Rome', 'S', '?') from customer order by id

select trim('  ab  ') || '|' || trim(leading 'x' from 'xxabxx') || '|' || trim(trailing 'x' from 'xxabxx')
|| '|' || trim(both 'x' from 'xxabxx') || '|' || trim(leading from '  ab') from customer where id = 1

select length('ab  '), char_length('ab  '), octet_length('é'), length(name) from customer where id = 1

select substr('abcdef', 2, 3), substring('abcdef' from 2 for 3), substring('abcdef' from 3) from customer

select name[1,2], c.city[2], c.name from customer c where c.name[1,1] = 'b'

select name from customer where name matches '[a-c]*' and city not matches '?slo'

select user, today, current from customer { a brace comment } where id = 1 -- a line comment

select "a ""quoted"" text", 'it''s' from customer

select name[3,1] from customer

select name [label] from customer

select trim(leading 'x' 'xxa') from customer

select * from customer c, orders o where c.id (+) = o.customer

select first 2 skip 1 unique name from customer order by name;

select skip 1 name from customer { why } order by 1 ;  

select limit 3 * from customer

create table stamps (id integer, at datetime year to second default current year to second, span interval day(3) to minute)

select id from orders where placed = '12/31/2024';
