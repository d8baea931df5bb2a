-- list the customers
SELECT c.name, COUNT(*) AS orders, NVL(c.city, 'none')
  FROM customers c JOIN orders o ON o.customer_id = c.id
 WHERE c.created > TO_DATE('2020-01-01', 'YYYY-MM-DD') AND o.total >= 10.5
 GROUP BY c.name;
/* a block
   comment */
CREATE TABLE "Mixed" (id NUMBER(10) PRIMARY KEY, note VARCHAR2(200));
BEGIN
  UPDATE t SET v = :new_value WHERE id = 1;
END;
