#include "connection/builtin/demoschema.h"

#include <array>

namespace quoll::connection::builtin {

namespace {

constexpr std::array tables{
    "create table state (\n"
    "  code char(2) not null,\n"
    "  sname nchar(15) not null,\n"
    "  primary key (code) constraint pk_state\n"
    ")",

    "create table customer (\n"
    "  customer_num serial(101),\n"
    "  fname char(15),\n"
    "  lname char(15),\n"
    "  company char(20) not null unique constraint u_customer_company,\n"
    "  address1 varchar(40),\n"
    "  address2 varchar(40,10),\n"
    "  city nvarchar(30,5),\n"
    "  state char(2) default 'CA' references state (code) constraint fk_customer_state,\n"
    "  zipcode char(5),\n"
    "  phone char(18),\n"
    "  credit_limit money(12,2) default 1000.00,\n"
    "  active boolean default 't',\n"
    "  added_by varchar(32) default user,\n"
    "  added_on date default today,\n"
    "  primary key (customer_num) constraint pk_customer\n"
    ")",

    "create table manufact (\n"
    "  manu_code char(3) primary key constraint pk_manufact,\n"
    "  manu_name char(15) not null,\n"
    "  lead_time interval day(3) to day,\n"
    "  updated datetime year to second default current year to second\n"
    ")",

    "create table stock (\n"
    "  stock_num smallint not null,\n"
    "  manu_code char(3) not null references manufact (manu_code),\n"
    "  description varchar(255,10),\n"
    "  unit_price decimal(8,2) check (unit_price >= 0) constraint ck_stock_price,\n"
    "  unit char(4) default 'each',\n"
    "  unit_descr lvarchar(200),\n"
    "  weight smallfloat,\n"
    "  density real,\n"
    "  primary key (stock_num, manu_code)\n"
    ")",

    "create table orders (\n"
    "  order_num serial(1001) primary key,\n"
    "  order_date date not null,\n"
    "  customer_num integer not null,\n"
    "  ship_instruct varchar(40) default null,\n"
    "  backlog boolean default 'f',\n"
    "  po_num char(10),\n"
    "  ship_date date,\n"
    "  ship_weight decimal(8,2),\n"
    "  ship_charge money(6),\n"
    "  paid_date date,\n"
    "  order_time datetime hour to minute,\n"
    "  foreign key (customer_num) references customer (customer_num) constraint fk_orders_customer\n"
    ")",

    "create table items (\n"
    "  item_num smallint not null,\n"
    "  order_num integer not null,\n"
    "  stock_num smallint not null,\n"
    "  manu_code char(3) not null,\n"
    "  quantity smallint default 1 check (quantity >= 1),\n"
    "  total_price money(8,2),\n"
    "  primary key (item_num, order_num),\n"
    "  foreign key (order_num) references orders (order_num) on delete cascade,\n"
    "  foreign key (stock_num, manu_code) references stock (stock_num, manu_code) constraint fk_items_stock\n"
    ")",

    "create table cust_calls (\n"
    "  customer_num integer not null references customer (customer_num),\n"
    "  call_dtime datetime year to minute not null,\n"
    "  user_id char(32) default user,\n"
    "  call_code char(1),\n"
    "  call_descr text,\n"
    "  res_dtime datetime year to fraction(3),\n"
    "  res_descr clob,\n"
    "  primary key (customer_num, call_dtime)\n"
    ")",

    "create table catalog (\n"
    "  catalog_num serial8(10001) primary key,\n"
    "  stock_num smallint not null,\n"
    "  manu_code char(3) not null,\n"
    "  cat_descr text,\n"
    "  cat_picture byte,\n"
    "  cat_photo blob,\n"
    "  cat_advert varchar(255,65),\n"
    "  foreign key (stock_num, manu_code) references stock (stock_num, manu_code)\n"
    ")",

    "create table price_history (\n"
    "  change_id serial primary key,\n"
    "  stock_num smallint not null,\n"
    "  manu_code char(3) not null,\n"
    "  old_price decimal(8,2),\n"
    "  new_price decimal(8,2),\n"
    "  factor decimal(16),\n"
    "  changed_by varchar(32) default user,\n"
    "  changed_at datetime year to second default current year to second,\n"
    "  valid_for interval year(2) to month,\n"
    "  foreign key (stock_num, manu_code) references stock (stock_num, manu_code)\n"
    ")",

    "create table sensor_readings (\n"
    "  reading_id bigserial primary key,\n"
    "  sensor_id smallint not null,\n"
    "  taken_at datetime year to second not null,\n"
    "  reading decimal(10,4),\n"
    "  raw_value float,\n"
    "  precise double precision,\n"
    "  counter int8,\n"
    "  total bigint,\n"
    "  tally int,\n"
    "  status char(1) default 'A' check (status in ('A', 'E', 'S')) constraint ck_readings_status,\n"
    "  server varchar(128) default dbservername,\n"
    "  logged datetime year to fraction(5) default current year to fraction(5),\n"
    "  note nchar(20)\n"
    ")",
};

constexpr std::array indexes{
    "create index ix_customer_name on customer (lname, fname)",
    "create unique index ux_customer_phone on customer (phone)",
    "create cluster index cx_orders_date on orders (order_date)",
    "create index ix_orders_recent on orders (customer_num, order_date desc)",
    "create distinct index ux_manufact_name on manufact (manu_name)",
    "create index ix_items_stock on items (stock_num, manu_code)",
    "create index ix_readings_sensor on sensor_readings (sensor_id, taken_at desc)",
};

constexpr std::array views{
    "create view california_customers (customer_num, fname, lname, company, city) as\n"
    "  select customer_num, fname, lname, company, city from customer where state = \"CA\"",

    "create view order_totals (order_num, order_date, company, item_count, order_total) as\n"
    "  select o.order_num, o.order_date, c.company, count(*), sum(i.total_price)\n"
    "    from orders o, customer c, items i\n"
    "   where o.customer_num = c.customer_num and i.order_num = o.order_num\n"
    "   group by o.order_num, o.order_date, c.company",
};

constexpr std::array triggers{
    "create trigger tr_stock_price update of unit_price on stock\n"
    "  referencing old as pre new as post\n"
    "  for each row when (post.unit_price <> pre.unit_price)\n"
    "  (insert into price_history (stock_num, manu_code, old_price, new_price)\n"
    "     values (pre.stock_num, pre.manu_code, pre.unit_price, post.unit_price))",

    "create trigger tr_customer_delete delete on customer\n"
    "  referencing old as gone\n"
    "  for each row (delete from cust_calls where customer_num = gone.customer_num)",

    "create trigger tr_orders_insert insert on orders\n"
    "  referencing new as placed\n"
    "  for each row (update customer set active = 't' where customer_num = placed.customer_num)",
};

constexpr std::array routines{
    "create procedure raise_prices (per_cent decimal(5,2), manufacturer char(3) default null)\n"
    "    -- Raises the prices of one manufacturer, or of every one when none is given.\n"
    "    if manufacturer is null then\n"
    "        update stock set unit_price = unit_price * (1 + per_cent / 100);\n"
    "    else\n"
    "        update stock set unit_price = unit_price * (1 + per_cent / 100)\n"
    "         where manu_code = manufacturer;\n"
    "    end if;\n"
    "end procedure\n"
    "document \"Raises stock prices by a per cent.\",\n"
    "         \"With a manufacturer code, only that manufacturer's prices change.\"\n"
    "with listing in \"/tmp/raise_prices.lst\"",

    "create function order_total (num integer) returning money(12,2)\n"
    "    define total money(12,2);\n"
    "    let total = 0;\n"
    "    select sum(total_price) into total from items where order_num = num;\n"
    "    if total is null then\n"
    "        let total = 0;\n"
    "    end if;\n"
    "    return total;\n"
    "end function\n"
    "document \"The total of one order's items; 0 for an order without items.\"",

    "create function customer_orders (num integer) returning integer, date, money(12,2)\n"
    "    define o_num integer;\n"
    "    define o_date date;\n"
    "    define o_total money(12,2);\n"
    "    foreach select order_num, order_date into o_num, o_date\n"
    "              from orders where customer_num = num order by order_date\n"
    "        let o_total = order_total(o_num);\n"
    "        return o_num, o_date, o_total with resume;\n"
    "    end foreach;\n"
    "end function",

    "create dba procedure purge_readings (before_date date)\n"
    "    delete from sensor_readings where taken_at < before_date;\n"
    "    update statistics for table sensor_readings;\n"
    "end procedure\n"
    "document \"Deletes the sensor readings taken before a date.\"",
};

constexpr std::array smallTables{
    "create table department (\n"
    "  dept_no char(3) primary key,\n"
    "  dept_name varchar(36) not null unique,\n"
    "  budget decimal(12,2) default 0\n"
    ")",

    "create table employee (\n"
    "  emp_no serial primary key,\n"
    "  dept_no char(3) not null references department (dept_no),\n"
    "  first_name varchar(20),\n"
    "  last_name varchar(20) not null,\n"
    "  hired date default today,\n"
    "  salary decimal(9,2) check (salary > 0),\n"
    "  email varchar(64) unique\n"
    ")",
};

} // namespace

std::span<const char *const> demoTables() { return tables; }
std::span<const char *const> demoIndexes() { return indexes; }
std::span<const char *const> demoViews() { return views; }
std::span<const char *const> demoTriggers() { return triggers; }
std::span<const char *const> demoRoutines() { return routines; }
std::span<const char *const> demoSmallTables() { return smallTables; }

} // namespace quoll::connection::builtin
