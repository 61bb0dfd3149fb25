<?xml version="1.0" encoding="UTF-8"?>
<Table name="FactoryProdData" version="1" nextAutoInc="1">
	<Fields>
		<Field name="FactoryId" type="integer"/>
		<Field name="Operation" type="integer"/>
		<Field name="ProductId" type="integer"/>
		<Field name="Qty" type="integer"/>
	</Fields>
	<Rows>
		<Row FactoryId="1" Operation="0" ProductId="1" Qty="120"/>
		<Row FactoryId="1" Operation="1" ProductId="2" Qty="1"/>
		<Row FactoryId="2" Operation="0" ProductId="3" Qty="10"/>
		<Row FactoryId="2" Operation="1" ProductId="1" Qty="60"/>
	</Rows>
</Table>
