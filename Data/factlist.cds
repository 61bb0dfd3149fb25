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
		<Row Id="5" Name="Lumari Moss Garden" Buyable="true" Special="0" Ctime="110" Mtime="110"/>
		<Row Id="6" Name="Vossk Larva Hatchery" Buyable="true" Special="0" Ctime="130" Mtime="128"/>
		<Row Id="7" Name="Orthane Orchard" Buyable="true" Special="0" Ctime="120" Mtime="120"/>
		<Row Id="8" Name="Drakh Tuber Field" Buyable="true" Special="0" Ctime="100" Mtime="100"/>
		<Row Id="9" Name="Zhurr Algae Tank" Buyable="true" Special="0" Ctime="125" Mtime="124"/>
		<Row Id="10" Name="Kessar Bakery" Buyable="true" Special="0" Ctime="180" Mtime="180"/>
		<Row Id="11" Name="Moss Cake Kitchen" Buyable="true" Special="0" Ctime="170" Mtime="170"/>
		<Row Id="12" Name="Larva Paste Mill" Buyable="true" Special="0" Ctime="190" Mtime="186"/>
		<Row Id="13" Name="Preserve Cannery" Buyable="true" Special="0" Ctime="180" Mtime="180"/>
		<Row Id="14" Name="Tuber Distillery" Buyable="true" Special="0" Ctime="200" Mtime="200"/>
		<Row Id="15" Name="Algae Winery" Buyable="true" Special="0" Ctime="185" Mtime="184"/>
		<Row Id="16" Name="Kessar Crystal Fab" Buyable="true" Special="0" Ctime="300" Mtime="300"/>
		<Row Id="17" Name="Zhurr Crystal Fab" Buyable="true" Special="0" Ctime="320" Mtime="312"/>
		<Row Id="18" Name="Alloy Foundry" Buyable="true" Special="0" Ctime="240" Mtime="240"/>
		<Row Id="19" Name="Chip Plant" Buyable="true" Special="0" Ctime="360" Mtime="360"/>
		<Row Id="20" Name="Quantum Tube Works" Buyable="true" Special="0" Ctime="400" Mtime="396"/>
		<Row Id="21" Name="Plasma Refinery" Buyable="false" Special="0" Ctime="300" Mtime="300"/>
		<Row Id="22" Name="Hull Yard" Buyable="true" Special="0" Ctime="420" Mtime="420"/>
		<Row Id="23" Name="Medical Lab" Buyable="true" Special="0" Ctime="240" Mtime="240"/>
		<Row Id="24" Name="Spice Den" Buyable="false" Special="0" Ctime="280" Mtime="280"/>
		<Row Id="25" Name="Pulse Cannon Forge" Buyable="true" Special="0" Ctime="600" Mtime="600"/>
		<Row Id="26" Name="Ion Lance Forge" Buyable="false" Special="0" Ctime="600" Mtime="590"/>
		<Row Id="27" Name="Missile Works" Buyable="true" Special="0" Ctime="450" Mtime="450"/>
		<Row Id="28" Name="Light Shield Plant" Buyable="true" Special="0" Ctime="360" Mtime="360"/>
		<Row Id="29" Name="Heavy Shield Plant" Buyable="true" Special="0" Ctime="540" Mtime="540"/>
		<Row Id="30" Name="Scanner Works" Buyable="true" Special="0" Ctime="480" Mtime="480"/>
		<Row Id="31" Name="Drone Bay" Buyable="true" Special="0" Ctime="300" Mtime="300"/>
	</Rows>
</Table>
