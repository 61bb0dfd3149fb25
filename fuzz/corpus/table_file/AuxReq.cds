<?xml version="1.0" encoding="UTF-8"?>
<Table name="AuxRequestData" version="1" nextAutoInc="1">
	<Fields>
		<Field name="Prod1" type="integer"/>
		<Field name="Prod2" type="integer"/>
		<Field name="Prod3" type="integer"/>
		<Field name="Prod4" type="integer"/>
		<Field name="Prod5" type="integer"/>
		<Field name="Prod6" type="integer"/>
		<Field name="Fact1" type="integer"/>
	</Fields>
	<Rows>
		<Row Prod1="16" Fact1="3"/>
	</Rows>
</Table>
