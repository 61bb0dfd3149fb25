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
		<Row FactoryId="3" Operation="0" ProductId="4" Qty="4"/>
		<Row FactoryId="3" Operation="1" ProductId="1" Qty="120"/>
		<Row FactoryId="4" Operation="0" ProductId="5" Qty="30"/>
		<Row FactoryId="4" Operation="1" ProductId="1" Qty="60"/>
		<Row FactoryId="5" Operation="0" ProductId="7" Qty="32"/>
		<Row FactoryId="5" Operation="1" ProductId="1" Qty="55"/>
		<Row FactoryId="6" Operation="0" ProductId="9" Qty="28"/>
		<Row FactoryId="6" Operation="1" ProductId="1" Qty="64"/>
		<Row FactoryId="7" Operation="0" ProductId="11" Qty="30"/>
		<Row FactoryId="7" Operation="1" ProductId="1" Qty="58"/>
		<Row FactoryId="8" Operation="0" ProductId="13" Qty="34"/>
		<Row FactoryId="8" Operation="1" ProductId="1" Qty="50"/>
		<Row FactoryId="9" Operation="0" ProductId="15" Qty="29"/>
		<Row FactoryId="9" Operation="1" ProductId="1" Qty="62"/>
		<Row FactoryId="10" Operation="0" ProductId="6" Qty="20"/>
		<Row FactoryId="10" Operation="1" ProductId="1" Qty="40"/>
		<Row FactoryId="10" Operation="1" ProductId="5" Qty="20"/>
		<Row FactoryId="11" Operation="0" ProductId="8" Qty="22"/>
		<Row FactoryId="11" Operation="1" ProductId="1" Qty="40"/>
		<Row FactoryId="11" Operation="1" ProductId="7" Qty="22"/>
		<Row FactoryId="12" Operation="0" ProductId="10" Qty="18"/>
		<Row FactoryId="12" Operation="1" ProductId="1" Qty="44"/>
		<Row FactoryId="12" Operation="1" ProductId="9" Qty="18"/>
		<Row FactoryId="13" Operation="0" ProductId="12" Qty="21"/>
		<Row FactoryId="13" Operation="1" ProductId="1" Qty="42"/>
		<Row FactoryId="13" Operation="1" ProductId="11" Qty="21"/>
		<Row FactoryId="14" Operation="0" ProductId="14" Qty="16"/>
		<Row FactoryId="14" Operation="1" ProductId="1" Qty="46"/>
		<Row FactoryId="14" Operation="1" ProductId="13" Qty="24"/>
		<Row FactoryId="15" Operation="0" ProductId="16" Qty="19"/>
		<Row FactoryId="15" Operation="1" ProductId="1" Qty="43"/>
		<Row FactoryId="15" Operation="1" ProductId="15" Qty="19"/>
		<Row FactoryId="16" Operation="0" ProductId="2" Qty="2"/>
		<Row FactoryId="16" Operation="1" ProductId="1" Qty="160"/>
		<Row FactoryId="16" Operation="1" ProductId="4" Qty="2"/>
		<Row FactoryId="16" Operation="1" ProductId="6" Qty="10"/>
		<Row FactoryId="17" Operation="0" ProductId="2" Qty="2"/>
		<Row FactoryId="17" Operation="1" ProductId="1" Qty="160"/>
		<Row FactoryId="17" Operation="1" ProductId="4" Qty="2"/>
		<Row FactoryId="17" Operation="1" ProductId="16" Qty="8"/>
		<Row FactoryId="18" Operation="0" ProductId="17" Qty="12"/>
		<Row FactoryId="18" Operation="1" ProductId="1" Qty="80"/>
		<Row FactoryId="18" Operation="1" ProductId="3" Qty="20"/>
		<Row FactoryId="18" Operation="1" ProductId="10" Qty="6"/>
		<Row FactoryId="19" Operation="0" ProductId="18" Qty="6"/>
		<Row FactoryId="19" Operation="1" ProductId="1" Qty="120"/>
		<Row FactoryId="19" Operation="1" ProductId="4" Qty="2"/>
		<Row FactoryId="19" Operation="1" ProductId="8" Qty="10"/>
		<Row FactoryId="20" Operation="0" ProductId="19" Qty="4"/>
		<Row FactoryId="20" Operation="1" ProductId="1" Qty="150"/>
		<Row FactoryId="20" Operation="1" ProductId="2" Qty="1"/>
		<Row FactoryId="20" Operation="1" ProductId="12" Qty="10"/>
		<Row FactoryId="21" Operation="0" ProductId="20" Qty="8"/>
		<Row FactoryId="21" Operation="1" ProductId="1" Qty="100"/>
		<Row FactoryId="21" Operation="1" ProductId="3" Qty="10"/>
		<Row FactoryId="21" Operation="1" ProductId="14" Qty="6"/>
		<Row FactoryId="22" Operation="0" ProductId="21" Qty="5"/>
		<Row FactoryId="22" Operation="1" ProductId="1" Qty="100"/>
		<Row FactoryId="22" Operation="1" ProductId="17" Qty="10"/>
		<Row FactoryId="23" Operation="0" ProductId="22" Qty="10"/>
		<Row FactoryId="23" Operation="1" ProductId="1" Qty="60"/>
		<Row FactoryId="23" Operation="1" ProductId="12" Qty="4"/>
		<Row FactoryId="23" Operation="1" ProductId="8" Qty="4"/>
		<Row FactoryId="24" Operation="0" ProductId="23" Qty="5"/>
		<Row FactoryId="24" Operation="1" ProductId="1" Qty="80"/>
		<Row FactoryId="24" Operation="1" ProductId="14" Qty="10"/>
		<Row FactoryId="25" Operation="0" ProductId="25" Qty="1"/>
		<Row FactoryId="25" Operation="1" ProductId="1" Qty="300"/>
		<Row FactoryId="25" Operation="1" ProductId="17" Qty="6"/>
		<Row FactoryId="25" Operation="1" ProductId="20" Qty="4"/>
		<Row FactoryId="26" Operation="0" ProductId="26" Qty="1"/>
		<Row FactoryId="26" Operation="1" ProductId="1" Qty="500"/>
		<Row FactoryId="26" Operation="1" ProductId="19" Qty="4"/>
		<Row FactoryId="26" Operation="1" ProductId="18" Qty="6"/>
		<Row FactoryId="27" Operation="0" ProductId="27" Qty="4"/>
		<Row FactoryId="27" Operation="1" ProductId="1" Qty="200"/>
		<Row FactoryId="27" Operation="1" ProductId="17" Qty="4"/>
		<Row FactoryId="27" Operation="1" ProductId="18" Qty="2"/>
		<Row FactoryId="27" Operation="1" ProductId="16" Qty="6"/>
		<Row FactoryId="28" Operation="0" ProductId="29" Qty="2"/>
		<Row FactoryId="28" Operation="1" ProductId="1" Qty="200"/>
		<Row FactoryId="28" Operation="1" ProductId="19" Qty="1"/>
		<Row FactoryId="28" Operation="1" ProductId="2" Qty="1"/>
		<Row FactoryId="29" Operation="0" ProductId="30" Qty="1"/>
		<Row FactoryId="29" Operation="1" ProductId="1" Qty="400"/>
		<Row FactoryId="29" Operation="1" ProductId="19" Qty="4"/>
		<Row FactoryId="29" Operation="1" ProductId="18" Qty="3"/>
		<Row FactoryId="29" Operation="1" ProductId="6" Qty="10"/>
		<Row FactoryId="30" Operation="0" ProductId="31" Qty="1"/>
		<Row FactoryId="30" Operation="1" ProductId="1" Qty="300"/>
		<Row FactoryId="30" Operation="1" ProductId="18" Qty="4"/>
		<Row FactoryId="30" Operation="1" ProductId="2" Qty="2"/>
		<Row FactoryId="31" Operation="0" ProductId="36" Qty="3"/>
		<Row FactoryId="31" Operation="1" ProductId="1" Qty="150"/>
		<Row FactoryId="31" Operation="1" ProductId="21" Qty="1"/>
		<Row FactoryId="31" Operation="1" ProductId="18" Qty="1"/>
	</Rows>
</Table>
