<?xml version="1.0" encoding="UTF-8"?>
<Table name="SectFactoryData" version="1" nextAutoInc="1">
	<Fields>
		<Field name="SectorId" type="integer"/>
		<Field name="FactoryId" type="integer"/>
		<Field name="Your" type="boolean"/>
		<Field name="Yield" type="integer"/>
	</Fields>
	<Rows>
		<Row SectorId="1" FactoryId="16" Your="false"/>
		<Row SectorId="1" FactoryId="28" Your="false"/>
		<Row SectorId="1" FactoryId="4" Your="false"/>
		<Row SectorId="1" FactoryId="19" Your="false"/>
	</Rows>
</Table>
