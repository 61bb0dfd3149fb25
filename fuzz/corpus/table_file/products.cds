<?xml version="1.0" encoding="UTF-8"?>
<Table name="ProductsData" version="1" nextAutoInc="52">
	<Fields>
		<Field name="Id" type="autoinc"/>
		<Field name="Name" type="string" size="30"/>
		<Field name="Type" type="integer"/>
		<Field name="Min" type="integer"/>
		<Field name="Max" type="integer"/>
		<Field name="Avg" type="integer"/>
		<Field name="Mtime" type="integer"/>
		<Field name="Qty" type="integer"/>
	</Fields>
	<Rows>
		<Row Id="1" Name="Energy Cells" Type="0" Min="13" Max="19" Avg="16" Mtime="600" Qty="5000"/>
		<Row Id="2" Name="Crystals" Type="0" Min="1344" Max="2016" Avg="1680" Mtime="600" Qty="57"/>
		<Row Id="3" Name="Ore" Type="0" Min="103" Max="153" Avg="128" Mtime="600" Qty="750"/>
		<Row Id="4" Name="Silicon Wafers" Type="0" Min="404" Max="604" Avg="504" Mtime="600" Qty="190"/>
	</Rows>
</Table>
