DBSCHEMA Schema Utility       INFORMIX-SQL Version 12.10.FC10
grant dba to "librarian";
grant connect to "public";
grant resource to "clerk";

create role "readers";
grant "readers" to "clerk";
revoke usage on language SPL from public;
grant usage on language SPL to "librarian";

create sequence "librarian".loan_seq increment by 1 start with 1000 maxvalue 999999 minvalue 1 cycle cache 10 order;
create sequence "librarian".audit_seq increment by 5 start with 5 minvalue 5 nocycle nocache;

{ TABLE "librarian".branch row size = 91 number of columns = 5 index size = 9 }

create table "librarian".branch 
  (
    branch_id serial not null ,
    name varchar(60,10) not null ,
    city char(20),
    opened date default today,
    active "informix".boolean 
        default 't',
    primary key (branch_id)  constraint "librarian".pk_branch
  ) extent size 32 next size 32 lock mode row;

revoke all on "librarian".branch from "public" as "librarian";

{ TABLE "librarian".book row size = 2404 number of columns = 9 index size = 41 }

create table "librarian".book 
  (
    book_id integer not null ,
    isbn char(13) not null ,
    title varchar(200) not null ,
    summary lvarchar(2048),
    price decimal(11,6),
    list_price money(12,2) 
        default 0.00,
    cover byte,
    notes text,
    added datetime year to fraction(3) 
        default current year to fraction(3),
    unique (isbn)  constraint "librarian".u_book_isbn,
    check (price >= 0. ) constraint "librarian".ck_book_price
  ) 
  fragment by expression 
    partition p_low (book_id < 100000 ) in dbs1,
    partition p_rest remainder in dbs2
  extent size 64 next size 64 lock mode row;

revoke all on "librarian".book from "public" as "librarian";

{ TABLE "librarian".copy row size = 24 number of columns = 5 index size = 18 }

create table "librarian".copy 
  (
    copy_id serial not null ,
    book_id integer not null ,
    branch_id integer not null ,
    shelf char(10),
    condition smallint 
        default 3,
    primary key (copy_id)  constraint "librarian".pk_copy
  ) fragment by round robin in dbs1, dbs2 
  extent size 16 next size 16 lock mode page;

revoke all on "librarian".copy from "public" as "librarian";

{ TABLE "librarian".loan row size = 67 number of columns = 7 index size = 27 }

create table "librarian".loan 
  (
    loan_id integer not null ,
    copy_id integer not null ,
    reader varchar(30) not null ,
    taken datetime year to second not null ,
    due date not null ,
    returned datetime year to second,
    fine decimal(12,5)
  ) in dbs3 extent size 16 next size 16 lock mode row;

revoke all on "librarian".loan from "public" as "librarian";

create unique index "librarian".ix_book_id on "librarian".book (book_id) using btree  in dbs1;
create index "librarian".ix_copy_book on "librarian".copy (book_id,branch_id) using btree ;
create index "librarian".ix_loan_due on "librarian".loan (due desc) using btree  in idxdbs;

alter table "librarian".book add constraint primary key (book_id) constraint "librarian".pk_book  ;
alter table "librarian".loan add constraint primary key (loan_id) constraint "librarian".pk_loan  ;

alter table "librarian".copy add constraint (foreign key (book_id) references "librarian".book  constraint "librarian".fk_copy_book index disabled);
alter table "librarian".copy add constraint (foreign key (branch_id) references "librarian".branch on delete cascade constraint "librarian".fk_copy_branch);
alter table "librarian".loan add constraint (foreign key (copy_id) references "librarian".copy  constraint "librarian".fk_loan_copy enabled);

create view "librarian".overdue (loan_id,reader,due,days_late) as 
  select x0.loan_id ,x0.reader ,x0.due ,(TODAY - x0.due ) 
  from "librarian".loan x0 
  where ((((x0.returned IS NULL ) AND (x0.due < TODAY ) ) AND (x0.reader != 'staff' ) ) AND (x0.loan_id > 0 ) ) ;                                

create view "librarian".expensive (book_id,title,price) as 
  select x0.book_id ,x0.title ,x0.price 
  from "librarian".book x0 
  where (((((((((((((((((((((((((((((((((((x0.price > 100. ) OR (x0.book_id = 1 ) ) OR (x0.book_id = 2 ) ) OR (x0.book_id = 3 ) ) OR (x0.book_id = 4 ) ) OR (x0.book_id = 5 ) ) OR (x0.book_id = 6 ) ) OR (x0.book_id = 7 ) ) OR (x0.book_id = 8 ) ) OR (x0.book_id = 9 ) ) OR (x0.book_id = 10 ) ) OR (x0.book_id = 11 ) ) OR (x0.book_id = 12 ) ) OR (x0.book_id = 13 ) ) OR (x0.book_id = 14 ) ) OR (x0.book_id = 15 ) ) OR (x0.book_id = 16 ) ) OR (x0.book_id = 17 ) ) OR (x0.book_id = 18 ) ) OR (x0.book_id = 19 ) ) OR (x0.book_id = 20 ) ) OR (x0.book_id = 21 ) ) OR (x0.book_id = 22 ) ) OR (x0.book_id = 23 ) ) OR (x0.book_id = 24 ) ) OR (x0.book_id = 25 ) ) OR (x0.book_id = 26 ) ) OR (x0.book_id = 27 ) ) OR (x0.book_id = 28 ) ) OR (x0.book_id = 29 ) ) OR (x0.book_id = 30 ) ) OR (x0.book_id = 31 ) ) OR (x0.book_id = 32 ) ) OR (x0.book_id = 33 ) ) OR (x0.book_id = 34 ) ) ;

create procedure "librarian".renew_loan(p_loan integer, p_days integer)
    define v_due date;
    select due into v_due from loan where loan_id = p_loan;
    update loan set due = v_due + p_days units day where loan_id = p_loan;
end procedure
document 'Moves a loan''s due date on by a number of days.'
;

create function "librarian".fine_for(p_days integer) returning decimal(12,5);
    return p_days * 0.25;
end function;

create trigger "librarian".loan_returned update of returned on "librarian".loan 
    referencing new as n
    for each row
        (
        execute procedure "librarian".renew_loan(n.loan_id ,0 ));

create public synonym "librarian".books for "librarian".book;
create private synonym "librarian".my_loans for "librarian".loan;
create synonym "librarian".remote_branch for central@hq:"librarian".branch;

grant select on "librarian".book to "public" as "librarian";
grant select,update,insert,delete,index on "librarian".loan to "clerk" as "librarian";
grant select on "librarian".overdue to "readers" as "librarian";
grant select on "librarian".loan_seq to "clerk" as "librarian";
grant execute on procedure "librarian".renew_loan (integer,integer) to "clerk" as "librarian";
grant execute on function "librarian".fine_for (integer) to "public" as "librarian";

update statistics high for table "librarian".book (book_id) resolution 0.5 ;
update statistics medium for table "librarian".loan ;
