<?xml version="1.0" encoding="UTF-8"?>
<Table name="SectorsData" version="1" nextAutoInc="101">
	<Fields>
		<Field name="Name" type="string" size="40"/>
		<Field name="X" type="integer"/>
		<Field name="Y" type="integer"/>
		<Field name="Race" type="string" size="20"/>
		<Field name="Suns" type="integer"/>
		<Field name="NorthGate" type="boolean"/>
		<Field name="SouthGate" type="boolean"/>
		<Field name="WestGate" type="boolean"/>
		<Field name="EastGate" type="boolean"/>
		<Field name="NameDx" type="integer"/>
		<Field name="NameDy" type="integer"/>
		<Field name="Shipyard" type="boolean"/>
		<Field name="Trstation" type="boolean"/>
		<Field name="Eqdock" type="boolean"/>
		<Field name="Id" type="autoinc"/>
		<Field name="Pirate" type="boolean"/>
		<Field name="Visible" type="boolean"/>
		<Field name="SolarCycle" type="integer"/>
	</Fields>
	<Rows>
		<Row Name="Cobalt Tides" X="8" Y="6" Race="Kessar" Suns="1" NorthGate="true" SouthGate="true" WestGate="true" EastGate="true" NameDx="0" NameDy="2" Shipyard="false" Trstation="false" Eqdock="true" Id="1" Pirate="false" Visible="true" SolarCycle="0"/>
		<Row Name="Velvet Threshold" X="8" Y="5" Race="Pirates" Suns="2" NorthGate="true" SouthGate="true" WestGate="false" EastGate="false" NameDx="0" NameDy="2" Shipyard="false" Trstation="false" Eqdock="false" Id="2" Pirate="true" Visible="true" SolarCycle="0"/>
		<Row Name="Lonely Lanes" X="7" Y="6" Race="Kessar" Suns="0" NorthGate="true" SouthGate="false" WestGate="true" EastGate="true" NameDx="0" NameDy="2" Shipyard="false" Trstation="true" Eqdock="false" Id="3" Pirate="false" Visible="true" SolarCycle="0"/>
		<Row Name="Quiet Fields" X="9" Y="6" Race="Kessar" Suns="1" NorthGate="true" SouthGate="true" WestGate="true" EastGate="false" NameDx="0" NameDy="2" Shipyard="false" Trstation="true" Eqdock="true" Id="4" Pirate="false" Visible="true" SolarCycle="0"/>
	</Rows>
</Table>
