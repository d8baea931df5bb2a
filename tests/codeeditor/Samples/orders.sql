-- Orders and their lines: tables, a view, a trigger and a few queries.
/* The schema keeps money as NUMERIC(12, 2);
   every table has a primary key. */
CREATE TABLE customers (
  id INTEGER NOT NULL PRIMARY KEY,
  name VARCHAR(80) NOT NULL,
  email VARCHAR(120),
  created TIMESTAMP DEFAULT CURRENT_TIMESTAMP
);

CREATE TABLE orders (
  id INTEGER NOT NULL PRIMARY KEY,
  customer_id INTEGER NOT NULL REFERENCES customers (id),
  placed DATE NOT NULL,
  status VARCHAR(12) DEFAULT 'open' CHECK (status IN ('open', 'paid', 'shipped', 'cancelled'))
);

CREATE TABLE order_lines (
  order_id INTEGER NOT NULL REFERENCES orders (id),
  line_no SMALLINT NOT NULL,
  item VARCHAR(60) NOT NULL,
  quantity INTEGER DEFAULT 1,
  price NUMERIC(12, 2) NOT NULL,
  PRIMARY KEY (order_id, line_no)
);

CREATE INDEX orders_by_customer ON orders (customer_id, placed DESC);

CREATE VIEW order_totals AS
  SELECT o.id, o.customer_id, SUM(l.quantity * l.price) AS total
  FROM orders o INNER JOIN order_lines l ON l.order_id = o.id
  GROUP BY o.id, o.customer_id;

-- Customers who spent more than 1000.50 this year, biggest first.
SELECT c.name, SUM(t.total) AS spent
  FROM customers c
  JOIN order_totals t ON t.customer_id = c.id
  JOIN orders o ON o.id = t.id
 WHERE o.placed >= DATE '2024-01-01' AND o.status <> 'cancelled'
 GROUP BY c.name
HAVING SUM(t.total) > 1000.50
 ORDER BY spent DESC;

UPDATE orders SET status = 'paid' WHERE id = 42 AND status = 'open';
DELETE FROM order_lines WHERE quantity = 0;
INSERT INTO customers (id, name, email) VALUES (7, 'O''Brien & Sons', "quoted""name");

select count(*) from orders where status like 'ship%' -- lower case works too
