<?xml version="1.0" encoding="UTF-8"?>
<Table name="SectTradeData" version="1" nextAutoInc="1">
	<Fields>
		<Field name="SectorId" type="integer"/>
		<Field name="Trader" type="integer"/>
		<Field name="ProductId" type="integer"/>
	</Fields>
	<Rows>
		<Row SectorId="1" Trader="2" ProductId="17"/>
		<Row SectorId="1" Trader="2" ProductId="32"/>
		<Row SectorId="1" Trader="2" ProductId="26"/>
		<Row SectorId="2" Trader="3" ProductId="10"/>
	</Rows>
</Table>
