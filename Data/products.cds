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
		<Row Id="5" Name="Kessar Grain" Type="0" Min="32" Max="48" Avg="40" Mtime="600" Qty="2400"/>
		<Row Id="6" Name="Kessar Bread" Type="0" Min="96" Max="144" Avg="120" Mtime="600" Qty="800"/>
		<Row Id="7" Name="Lumari Moss" Type="0" Min="29" Max="43" Avg="36" Mtime="600" Qty="2666"/>
		<Row Id="8" Name="Moss Cakes" Type="0" Min="88" Max="132" Avg="110" Mtime="600" Qty="872"/>
		<Row Id="9" Name="Vossk Larvae" Type="0" Min="36" Max="52" Avg="44" Mtime="600" Qty="2181"/>
		<Row Id="10" Name="Larva Paste" Type="0" Min="104" Max="156" Avg="130" Mtime="600" Qty="738"/>
		<Row Id="11" Name="Orthane Fruit" Type="0" Min="31" Max="45" Avg="38" Mtime="600" Qty="2526"/>
		<Row Id="12" Name="Fruit Preserves" Type="0" Min="92" Max="138" Avg="115" Mtime="600" Qty="834"/>
		<Row Id="13" Name="Drakh Tubers" Type="0" Min="28" Max="40" Avg="34" Mtime="600" Qty="2823"/>
		<Row Id="14" Name="Tuber Spirits" Type="0" Min="112" Max="168" Avg="140" Mtime="600" Qty="685"/>
		<Row Id="15" Name="Zhurr Algae" Type="0" Min="34" Max="50" Avg="42" Mtime="600" Qty="2285"/>
		<Row Id="16" Name="Algae Wine" Type="0" Min="100" Max="150" Avg="125" Mtime="600" Qty="768"/>
		<Row Id="17" Name="Alloy Plates" Type="0" Min="248" Max="372" Avg="310" Mtime="600" Qty="309"/>
		<Row Id="18" Name="Microchips" Type="0" Min="704" Max="1056" Avg="880" Mtime="600" Qty="109"/>
		<Row Id="19" Name="Quantum Tubes" Type="0" Min="1160" Max="1740" Avg="1450" Mtime="600" Qty="66"/>
		<Row Id="20" Name="Plasma Cells" Type="0" Min="496" Max="744" Avg="620" Mtime="600" Qty="154"/>
		<Row Id="21" Name="Hull Segments" Type="0" Min="768" Max="1152" Avg="960" Mtime="600" Qty="100"/>
		<Row Id="22" Name="Medical Kits" Type="0" Min="168" Max="252" Avg="210" Mtime="600" Qty="457"/>
		<Row Id="23" Name="Contraband Spice" Type="0" Min="560" Max="840" Avg="700" Mtime="600" Qty="137"/>
		<Row Id="24" Name="Stolen Relics" Type="0" Min="1920" Max="2880" Avg="2400" Mtime="600" Qty="40"/>
		<Row Id="25" Name="Pulse Cannon" Type="1" Min="7650" Max="10350" Avg="9000" Mtime="1200" Qty="10"/>
		<Row Id="26" Name="Ion Lance" Type="1" Min="20400" Max="27600" Avg="24000" Mtime="1200" Qty="4"/>
		<Row Id="27" Name="Hornet Missile" Type="1" Min="1530" Max="2070" Avg="1800" Mtime="1200" Qty="53"/>
		<Row Id="28" Name="Viper Missile" Type="1" Min="3570" Max="4830" Avg="4200" Mtime="1200" Qty="22"/>
		<Row Id="29" Name="1 MJ Shield" Type="1" Min="2210" Max="2990" Avg="2600" Mtime="1200" Qty="36"/>
		<Row Id="30" Name="5 MJ Shield" Type="1" Min="11900" Max="16100" Avg="14000" Mtime="1200" Qty="6"/>
		<Row Id="31" Name="Long Range Scanner" Type="1" Min="9350" Max="12650" Avg="11000" Mtime="1200" Qty="8"/>
		<Row Id="32" Name="Cargo Extension" Type="1" Min="4420" Max="5980" Avg="5200" Mtime="1200" Qty="18"/>
		<Row Id="33" Name="Jump Drive" Type="1" Min="80750" Max="109250" Avg="95000" Mtime="1200" Qty="1"/>
		<Row Id="34" Name="Trade Software" Type="1" Min="13600" Max="18400" Avg="16000" Mtime="1200" Qty="6"/>
		<Row Id="35" Name="Docking Computer" Type="1" Min="6630" Max="8970" Avg="7800" Mtime="1200" Qty="12"/>
		<Row Id="36" Name="Repair Drones" Type="1" Min="2805" Max="3795" Avg="3300" Mtime="1200" Qty="29"/>
		<Row Id="37" Name="Kessar Hauler" Type="2" Min="342000" Max="418000" Avg="380000" Mtime="0" Qty="0"/>
		<Row Id="38" Name="Lumari Courier" Type="2" Min="189000" Max="231000" Avg="210000" Mtime="0" Qty="0"/>
		<Row Id="39" Name="Vossk Interceptor" Type="2" Min="405000" Max="495000" Avg="450000" Mtime="0" Qty="0"/>
		<Row Id="40" Name="Orthane Frigate" Type="2" Min="1890000" Max="2310000" Avg="2100000" Mtime="0" Qty="0"/>
		<Row Id="41" Name="Drakh Raider" Type="2" Min="558000" Max="682000" Avg="620000" Mtime="0" Qty="0"/>
		<Row Id="42" Name="Zhurr Scout" Type="2" Min="135000" Max="165000" Avg="150000" Mtime="0" Qty="0"/>
		<Row Id="43" Name="Mining Barge" Type="2" Min="261000" Max="319000" Avg="290000" Mtime="0" Qty="0"/>
		<Row Id="44" Name="Solar Power Plant" Type="3" Min="765000" Max="935000" Avg="850000" Mtime="0" Qty="0"/>
		<Row Id="45" Name="Ore Mine" Type="3" Min="522000" Max="638000" Avg="580000" Mtime="0" Qty="0"/>
		<Row Id="46" Name="Silicon Mine" Type="3" Min="1080000" Max="1320000" Avg="1200000" Mtime="0" Qty="0"/>
		<Row Id="47" Name="Crystal Fab" Type="3" Min="1440000" Max="1760000" Avg="1600000" Mtime="0" Qty="0"/>
		<Row Id="48" Name="Alloy Foundry" Type="3" Min="810000" Max="990000" Avg="900000" Mtime="0" Qty="0"/>
		<Row Id="49" Name="Chip Plant" Type="3" Min="1215000" Max="1485000" Avg="1350000" Mtime="0" Qty="0"/>
		<Row Id="50" Name="Shield Plant" Type="3" Min="2250000" Max="2750000" Avg="2500000" Mtime="0" Qty="0"/>
		<Row Id="51" Name="Cannon Forge" Type="3" Min="2790000" Max="3410000" Avg="3100000" Mtime="0" Qty="0"/>
	</Rows>
</Table>
