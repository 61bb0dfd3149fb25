<?xml version="1.0" encoding="UTF-8"?>
<Table name="FactoriesData" version="1" nextAutoInc="32">
	<Fields>
		<Field name="Id" type="autoinc"/>
		<Field name="Name" type="string" size="30"/>
		<Field name="Buyable" type="boolean"/>
		<Field name="Special" type="integer"/>
		<Field name="Ctime" type="integer"/>
		<Field name="Mtime" type="integer"/>
	</Fields>
	<Rows>
		<Row Id="1" Name="Solar Power Plant" Buyable="true" Special="1" Ctime="60" Mtime="60"/>
		<Row Id="2" Name="Ore Mine" Buyable="true" Special="2" Ctime="600" Mtime="600"/>
		<Row Id="3" Name="Silicon Mine" Buyable="true" Special="3" Ctime="600" Mtime="600"/>
		<Row Id="4" Name="Kessar Grain Farm" Buyable="true" Special="0" Ctime="120" Mtime="120"/>
	</Rows>
</Table>
