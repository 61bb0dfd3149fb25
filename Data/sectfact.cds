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
		<Row SectorId="1" FactoryId="30" Your="false"/>
		<Row SectorId="1" FactoryId="29" Your="false"/>
		<Row SectorId="1" FactoryId="3" Your="false" Yield="11"/>
		<Row SectorId="1" FactoryId="11" Your="false"/>
		<Row SectorId="1" FactoryId="23" Your="false"/>
		<Row SectorId="1" FactoryId="29" Your="false"/>
		<Row SectorId="2" FactoryId="11" Your="false"/>
		<Row SectorId="2" FactoryId="25" Your="false"/>
		<Row SectorId="3" FactoryId="2" Your="false" Yield="7"/>
		<Row SectorId="3" FactoryId="26" Your="false"/>
		<Row SectorId="3" FactoryId="5" Your="false"/>
		<Row SectorId="3" FactoryId="16" Your="false"/>
		<Row SectorId="3" FactoryId="20" Your="false"/>
		<Row SectorId="4" FactoryId="31" Your="false"/>
		<Row SectorId="4" FactoryId="31" Your="false"/>
		<Row SectorId="4" FactoryId="4" Your="false"/>
		<Row SectorId="4" FactoryId="1" Your="false"/>
		<Row SectorId="4" FactoryId="2" Your="false" Yield="5"/>
		<Row SectorId="4" FactoryId="29" Your="false"/>
		<Row SectorId="4" FactoryId="1" Your="false"/>
		<Row SectorId="4" FactoryId="15" Your="false"/>
		<Row SectorId="4" FactoryId="28" Your="false"/>
		<Row SectorId="5" FactoryId="13" Your="false"/>
		<Row SectorId="5" FactoryId="2" Your="false" Yield="19"/>
		<Row SectorId="5" FactoryId="13" Your="false"/>
		<Row SectorId="5" FactoryId="1" Your="false"/>
		<Row SectorId="5" FactoryId="7" Your="false"/>
		<Row SectorId="5" FactoryId="19" Your="false"/>
		<Row SectorId="5" FactoryId="20" Your="false"/>
		<Row SectorId="5" FactoryId="8" Your="false"/>
		<Row SectorId="6" FactoryId="2" Your="false" Yield="4"/>
		<Row SectorId="6" FactoryId="20" Your="false"/>
		<Row SectorId="7" FactoryId="4" Your="true"/>
		<Row SectorId="7" FactoryId="7" Your="false"/>
		<Row SectorId="7" FactoryId="28" Your="false"/>
		<Row SectorId="7" FactoryId="1" Your="false"/>
		<Row SectorId="7" FactoryId="25" Your="false"/>
		<Row SectorId="7" FactoryId="19" Your="false"/>
		<Row SectorId="7" FactoryId="4" Your="false"/>
		<Row SectorId="7" FactoryId="16" Your="false"/>
		<Row SectorId="7" FactoryId="16" Your="false"/>
		<Row SectorId="7" FactoryId="3" Your="false" Yield="12"/>
		<Row SectorId="8" FactoryId="29" Your="false"/>
		<Row SectorId="8" FactoryId="28" Your="false"/>
		<Row SectorId="8" FactoryId="2" Your="false" Yield="12"/>
		<Row SectorId="8" FactoryId="27" Your="false"/>
		<Row SectorId="8" FactoryId="12" Your="false"/>
		<Row SectorId="8" FactoryId="25" Your="false"/>
		<Row SectorId="9" FactoryId="3" Your="false" Yield="16"/>
		<Row SectorId="9" FactoryId="22" Your="false"/>
		<Row SectorId="9" FactoryId="17" Your="false"/>
		<Row SectorId="9" FactoryId="16" Your="false"/>
		<Row SectorId="9" FactoryId="1" Your="false"/>
		<Row SectorId="10" FactoryId="29" Your="false"/>
		<Row SectorId="10" FactoryId="31" Your="false"/>
		<Row SectorId="10" FactoryId="16" Your="false"/>
		<Row SectorId="10" FactoryId="29" Your="false"/>
		<Row SectorId="10" FactoryId="29" Your="true"/>
		<Row SectorId="10" FactoryId="27" Your="false"/>
		<Row SectorId="10" FactoryId="30" Your="true"/>
		<Row SectorId="10" FactoryId="29" Your="false"/>
		<Row SectorId="10" FactoryId="16" Your="false"/>
		<Row SectorId="11" FactoryId="21" Your="false"/>
		<Row SectorId="12" FactoryId="1" Your="false"/>
		<Row SectorId="12" FactoryId="12" Your="false"/>
		<Row SectorId="12" FactoryId="24" Your="false"/>
		<Row SectorId="12" FactoryId="10" Your="false"/>
		<Row SectorId="12" FactoryId="18" Your="false"/>
		<Row SectorId="12" FactoryId="11" Your="false"/>
		<Row SectorId="12" FactoryId="24" Your="false"/>
		<Row SectorId="12" FactoryId="6" Your="false"/>
		<Row SectorId="12" FactoryId="17" Your="false"/>
		<Row SectorId="13" FactoryId="2" Your="false" Yield="15"/>
		<Row SectorId="13" FactoryId="25" Your="false"/>
		<Row SectorId="13" FactoryId="4" Your="false"/>
		<Row SectorId="13" FactoryId="28" Your="false"/>
		<Row SectorId="13" FactoryId="28" Your="false"/>
		<Row SectorId="13" FactoryId="17" Your="false"/>
		<Row SectorId="13" FactoryId="29" Your="false"/>
		<Row SectorId="14" FactoryId="28" Your="false"/>
		<Row SectorId="14" FactoryId="18" Your="false"/>
		<Row SectorId="14" FactoryId="4" Your="false"/>
		<Row SectorId="14" FactoryId="26" Your="false"/>
		<Row SectorId="14" FactoryId="11" Your="false"/>
		<Row SectorId="14" FactoryId="27" Your="false"/>
		<Row SectorId="14" FactoryId="13" Your="false"/>
		<Row SectorId="14" FactoryId="22" Your="false"/>
		<Row SectorId="14" FactoryId="22" Your="true"/>
		<Row SectorId="14" FactoryId="6" Your="false"/>
		<Row SectorId="15" FactoryId="15" Your="false"/>
		<Row SectorId="16" FactoryId="18" Your="false"/>
		<Row SectorId="16" FactoryId="23" Your="false"/>
		<Row SectorId="16" FactoryId="17" Your="false"/>
		<Row SectorId="17" FactoryId="9" Your="false"/>
		<Row SectorId="17" FactoryId="31" Your="false"/>
		<Row SectorId="17" FactoryId="26" Your="false"/>
		<Row SectorId="17" FactoryId="27" Your="false"/>
		<Row SectorId="17" FactoryId="22" Your="false"/>
		<Row SectorId="17" FactoryId="2" Your="false" Yield="1"/>
		<Row SectorId="17" FactoryId="23" Your="false"/>
		<Row SectorId="17" FactoryId="15" Your="false"/>
		<Row SectorId="17" FactoryId="9" Your="false"/>
		<Row SectorId="18" FactoryId="22" Your="false"/>
		<Row SectorId="18" FactoryId="1" Your="false"/>
		<Row SectorId="18" FactoryId="31" Your="false"/>
		<Row SectorId="18" FactoryId="17" Your="false"/>
		<Row SectorId="18" FactoryId="1" Your="false"/>
		<Row SectorId="18" FactoryId="27" Your="false"/>
		<Row SectorId="18" FactoryId="15" Your="true"/>
		<Row SectorId="18" FactoryId="1" Your="false"/>
		<Row SectorId="19" FactoryId="25" Your="false"/>
		<Row SectorId="20" FactoryId="23" Your="false"/>
		<Row SectorId="20" FactoryId="20" Your="false"/>
		<Row SectorId="20" FactoryId="11" Your="false"/>
		<Row SectorId="20" FactoryId="17" Your="false"/>
		<Row SectorId="20" FactoryId="1" Your="false"/>
		<Row SectorId="20" FactoryId="1" Your="false"/>
		<Row SectorId="22" FactoryId="15" Your="false"/>
		<Row SectorId="22" FactoryId="21" Your="false"/>
		<Row SectorId="22" FactoryId="28" Your="false"/>
		<Row SectorId="22" FactoryId="30" Your="false"/>
		<Row SectorId="22" FactoryId="21" Your="false"/>
		<Row SectorId="22" FactoryId="28" Your="false"/>
		<Row SectorId="22" FactoryId="21" Your="false"/>
		<Row SectorId="22" FactoryId="28" Your="false"/>
		<Row SectorId="24" FactoryId="10" Your="false"/>
		<Row SectorId="24" FactoryId="20" Your="false"/>
		<Row SectorId="24" FactoryId="3" Your="false" Yield="17"/>
		<Row SectorId="24" FactoryId="26" Your="false"/>
		<Row SectorId="24" FactoryId="21" Your="false"/>
		<Row SectorId="24" FactoryId="20" Your="false"/>
		<Row SectorId="24" FactoryId="28" Your="false"/>
		<Row SectorId="24" FactoryId="26" Your="false"/>
		<Row SectorId="24" FactoryId="2" Your="true" Yield="7"/>
		<Row SectorId="25" FactoryId="2" Your="false" Yield="5"/>
		<Row SectorId="25" FactoryId="21" Your="false"/>
		<Row SectorId="25" FactoryId="22" Your="false"/>
		<Row SectorId="25" FactoryId="14" Your="false"/>
		<Row SectorId="25" FactoryId="21" Your="false"/>
		<Row SectorId="25" FactoryId="20" Your="false"/>
		<Row SectorId="26" FactoryId="29" Your="false"/>
		<Row SectorId="28" FactoryId="22" Your="false"/>
		<Row SectorId="28" FactoryId="8" Your="false"/>
		<Row SectorId="28" FactoryId="4" Your="false"/>
		<Row SectorId="28" FactoryId="2" Your="false" Yield="19"/>
		<Row SectorId="28" FactoryId="28" Your="false"/>
		<Row SectorId="28" FactoryId="2" Your="false" Yield="29"/>
		<Row SectorId="28" FactoryId="28" Your="true"/>
		<Row SectorId="28" FactoryId="29" Your="true"/>
		<Row SectorId="28" FactoryId="29" Your="false"/>
		<Row SectorId="29" FactoryId="28" Your="false"/>
		<Row SectorId="30" FactoryId="31" Your="false"/>
		<Row SectorId="30" FactoryId="17" Your="false"/>
		<Row SectorId="30" FactoryId="1" Your="false"/>
		<Row SectorId="30" FactoryId="25" Your="false"/>
		<Row SectorId="30" FactoryId="31" Your="false"/>
		<Row SectorId="30" FactoryId="1" Your="false"/>
		<Row SectorId="31" FactoryId="3" Your="false" Yield="7"/>
		<Row SectorId="31" FactoryId="28" Your="false"/>
		<Row SectorId="31" FactoryId="1" Your="false"/>
		<Row SectorId="31" FactoryId="3" Your="false" Yield="15"/>
		<Row SectorId="31" FactoryId="23" Your="false"/>
		<Row SectorId="31" FactoryId="9" Your="false"/>
		<Row SectorId="31" FactoryId="2" Your="false" Yield="0"/>
		<Row SectorId="31" FactoryId="23" Your="false"/>
		<Row SectorId="31" FactoryId="9" Your="false"/>
		<Row SectorId="31" FactoryId="31" Your="false"/>
		<Row SectorId="33" FactoryId="8" Your="false"/>
		<Row SectorId="33" FactoryId="1" Your="false"/>
		<Row SectorId="33" FactoryId="12" Your="false"/>
		<Row SectorId="33" FactoryId="12" Your="false"/>
		<Row SectorId="33" FactoryId="1" Your="false"/>
		<Row SectorId="34" FactoryId="23" Your="false"/>
		<Row SectorId="34" FactoryId="22" Your="false"/>
		<Row SectorId="35" FactoryId="10" Your="false"/>
		<Row SectorId="35" FactoryId="18" Your="false"/>
		<Row SectorId="37" FactoryId="12" Your="false"/>
		<Row SectorId="37" FactoryId="7" Your="false"/>
		<Row SectorId="38" FactoryId="23" Your="false"/>
		<Row SectorId="38" FactoryId="23" Your="false"/>
		<Row SectorId="38" FactoryId="30" Your="false"/>
		<Row SectorId="39" FactoryId="14" Your="false"/>
		<Row SectorId="39" FactoryId="23" Your="false"/>
		<Row SectorId="39" FactoryId="19" Your="false"/>
		<Row SectorId="39" FactoryId="1" Your="false"/>
		<Row SectorId="39" FactoryId="9" Your="false"/>
		<Row SectorId="39" FactoryId="1" Your="false"/>
		<Row SectorId="39" FactoryId="19" Your="false"/>
		<Row SectorId="39" FactoryId="5" Your="false"/>
		<Row SectorId="40" FactoryId="6" Your="false"/>
		<Row SectorId="40" FactoryId="7" Your="false"/>
		<Row SectorId="40" FactoryId="24" Your="false"/>
		<Row SectorId="40" FactoryId="19" Your="false"/>
		<Row SectorId="40" FactoryId="27" Your="false"/>
		<Row SectorId="40" FactoryId="2" Your="false" Yield="22"/>
		<Row SectorId="40" FactoryId="24" Your="false"/>
		<Row SectorId="40" FactoryId="13" Your="false"/>
		<Row SectorId="40" FactoryId="24" Your="false"/>
		<Row SectorId="40" FactoryId="28" Your="false"/>
		<Row SectorId="41" FactoryId="19" Your="false"/>
		<Row SectorId="42" FactoryId="1" Your="true"/>
		<Row SectorId="43" FactoryId="28" Your="false"/>
		<Row SectorId="43" FactoryId="10" Your="false"/>
		<Row SectorId="43" FactoryId="2" Your="false" Yield="0"/>
		<Row SectorId="43" FactoryId="13" Your="false"/>
		<Row SectorId="43" FactoryId="20" Your="false"/>
		<Row SectorId="43" FactoryId="21" Your="false"/>
		<Row SectorId="44" FactoryId="28" Your="false"/>
		<Row SectorId="44" FactoryId="9" Your="false"/>
		<Row SectorId="44" FactoryId="28" Your="false"/>
		<Row SectorId="44" FactoryId="5" Your="false"/>
		<Row SectorId="44" FactoryId="5" Your="false"/>
		<Row SectorId="44" FactoryId="28" Your="false"/>
		<Row SectorId="44" FactoryId="14" Your="false"/>
		<Row SectorId="44" FactoryId="25" Your="false"/>
		<Row SectorId="44" FactoryId="24" Your="false"/>
		<Row SectorId="45" FactoryId="9" Your="false"/>
		<Row SectorId="45" FactoryId="31" Your="false"/>
		<Row SectorId="45" FactoryId="22" Your="true"/>
		<Row SectorId="45" FactoryId="15" Your="false"/>
		<Row SectorId="46" FactoryId="3" Your="false" Yield="7"/>
		<Row SectorId="46" FactoryId="26" Your="false"/>
		<Row SectorId="46" FactoryId="5" Your="false"/>
		<Row SectorId="46" FactoryId="10" Your="false"/>
		<Row SectorId="46" FactoryId="1" Your="false"/>
		<Row SectorId="46" FactoryId="31" Your="false"/>
		<Row SectorId="46" FactoryId="1" Your="false"/>
		<Row SectorId="47" FactoryId="29" Your="false"/>
		<Row SectorId="47" FactoryId="18" Your="false"/>
		<Row SectorId="47" FactoryId="2" Your="false" Yield="14"/>
		<Row SectorId="47" FactoryId="2" Your="false" Yield="18"/>
		<Row SectorId="47" FactoryId="24" Your="false"/>
		<Row SectorId="47" FactoryId="4" Your="false"/>
		<Row SectorId="47" FactoryId="20" Your="false"/>
		<Row SectorId="48" FactoryId="29" Your="false"/>
		<Row SectorId="48" FactoryId="10" Your="false"/>
		<Row SectorId="49" FactoryId="14" Your="false"/>
		<Row SectorId="49" FactoryId="15" Your="false"/>
		<Row SectorId="49" FactoryId="1" Your="false"/>
		<Row SectorId="49" FactoryId="31" Your="false"/>
		<Row SectorId="50" FactoryId="22" Your="false"/>
		<Row SectorId="50" FactoryId="19" Your="true"/>
		<Row SectorId="50" FactoryId="8" Your="false"/>
		<Row SectorId="50" FactoryId="1" Your="false"/>
		<Row SectorId="50" FactoryId="25" Your="false"/>
		<Row SectorId="50" FactoryId="25" Your="false"/>
		<Row SectorId="50" FactoryId="31" Your="false"/>
		<Row SectorId="51" FactoryId="1" Your="false"/>
		<Row SectorId="51" FactoryId="8" Your="false"/>
		<Row SectorId="51" FactoryId="15" Your="false"/>
		<Row SectorId="51" FactoryId="25" Your="false"/>
		<Row SectorId="51" FactoryId="9" Your="false"/>
		<Row SectorId="51" FactoryId="1" Your="true"/>
		<Row SectorId="52" FactoryId="16" Your="false"/>
		<Row SectorId="52" FactoryId="3" Your="false" Yield="1"/>
		<Row SectorId="54" FactoryId="2" Your="false" Yield="8"/>
		<Row SectorId="54" FactoryId="31" Your="false"/>
		<Row SectorId="54" FactoryId="20" Your="false"/>
		<Row SectorId="54" FactoryId="11" Your="false"/>
		<Row SectorId="55" FactoryId="31" Your="false"/>
		<Row SectorId="55" FactoryId="6" Your="false"/>
		<Row SectorId="55" FactoryId="31" Your="false"/>
		<Row SectorId="55" FactoryId="10" Your="false"/>
		<Row SectorId="55" FactoryId="28" Your="false"/>
		<Row SectorId="55" FactoryId="20" Your="false"/>
		<Row SectorId="56" FactoryId="15" Your="false"/>
		<Row SectorId="56" FactoryId="12" Your="false"/>
		<Row SectorId="56" FactoryId="4" Your="false"/>
		<Row SectorId="56" FactoryId="12" Your="false"/>
		<Row SectorId="56" FactoryId="12" Your="false"/>
		<Row SectorId="57" FactoryId="2" Your="false" Yield="24"/>
		<Row SectorId="57" FactoryId="17" Your="false"/>
		<Row SectorId="57" FactoryId="2" Your="false" Yield="14"/>
		<Row SectorId="57" FactoryId="18" Your="false"/>
		<Row SectorId="57" FactoryId="4" Your="false"/>
		<Row SectorId="57" FactoryId="25" Your="false"/>
		<Row SectorId="57" FactoryId="15" Your="false"/>
		<Row SectorId="57" FactoryId="2" Your="false" Yield="7"/>
		<Row SectorId="58" FactoryId="9" Your="false"/>
		<Row SectorId="58" FactoryId="28" Your="false"/>
		<Row SectorId="58" FactoryId="3" Your="false" Yield="7"/>
		<Row SectorId="58" FactoryId="30" Your="false"/>
		<Row SectorId="58" FactoryId="9" Your="false"/>
		<Row SectorId="58" FactoryId="31" Your="false"/>
		<Row SectorId="59" FactoryId="23" Your="false"/>
		<Row SectorId="59" FactoryId="1" Your="false"/>
		<Row SectorId="59" FactoryId="30" Your="false"/>
		<Row SectorId="59" FactoryId="3" Your="false" Yield="10"/>
		<Row SectorId="59" FactoryId="14" Your="false"/>
		<Row SectorId="60" FactoryId="23" Your="false"/>
		<Row SectorId="61" FactoryId="27" Your="false"/>
		<Row SectorId="62" FactoryId="26" Your="false"/>
		<Row SectorId="62" FactoryId="27" Your="false"/>
		<Row SectorId="62" FactoryId="30" Your="false"/>
		<Row SectorId="62" FactoryId="31" Your="false"/>
		<Row SectorId="62" FactoryId="13" Your="false"/>
		<Row SectorId="63" FactoryId="21" Your="false"/>
		<Row SectorId="63" FactoryId="2" Your="false" Yield="12"/>
		<Row SectorId="63" FactoryId="8" Your="false"/>
		<Row SectorId="64" FactoryId="31" Your="false"/>
		<Row SectorId="64" FactoryId="22" Your="false"/>
		<Row SectorId="64" FactoryId="17" Your="false"/>
		<Row SectorId="64" FactoryId="16" Your="false"/>
		<Row SectorId="64" FactoryId="16" Your="false"/>
		<Row SectorId="64" FactoryId="4" Your="false"/>
		<Row SectorId="64" FactoryId="28" Your="false"/>
		<Row SectorId="64" FactoryId="20" Your="false"/>
		<Row SectorId="64" FactoryId="1" Your="false"/>
		<Row SectorId="64" FactoryId="5" Your="false"/>
		<Row SectorId="65" FactoryId="31" Your="false"/>
		<Row SectorId="65" FactoryId="2" Your="false" Yield="14"/>
		<Row SectorId="65" FactoryId="8" Your="false"/>
		<Row SectorId="65" FactoryId="27" Your="false"/>
		<Row SectorId="65" FactoryId="26" Your="false"/>
		<Row SectorId="65" FactoryId="6" Your="false"/>
		<Row SectorId="65" FactoryId="27" Your="false"/>
		<Row SectorId="66" FactoryId="8" Your="false"/>
		<Row SectorId="66" FactoryId="29" Your="false"/>
		<Row SectorId="66" FactoryId="4" Your="false"/>
		<Row SectorId="67" FactoryId="31" Your="false"/>
		<Row SectorId="67" FactoryId="28" Your="false"/>
		<Row SectorId="68" FactoryId="10" Your="false"/>
		<Row SectorId="69" FactoryId="15" Your="false"/>
		<Row SectorId="70" FactoryId="10" Your="false"/>
		<Row SectorId="70" FactoryId="28" Your="false"/>
		<Row SectorId="70" FactoryId="23" Your="false"/>
		<Row SectorId="70" FactoryId="31" Your="false"/>
		<Row SectorId="70" FactoryId="4" Your="false"/>
		<Row SectorId="70" FactoryId="23" Your="false"/>
		<Row SectorId="70" FactoryId="1" Your="false"/>
		<Row SectorId="70" FactoryId="2" Your="false" Yield="6"/>
		<Row SectorId="71" FactoryId="26" Your="false"/>
		<Row SectorId="71" FactoryId="3" Your="false" Yield="4"/>
		<Row SectorId="71" FactoryId="20" Your="false"/>
		<Row SectorId="71" FactoryId="1" Your="false"/>
		<Row SectorId="72" FactoryId="22" Your="false"/>
		<Row SectorId="72" FactoryId="23" Your="false"/>
		<Row SectorId="72" FactoryId="16" Your="false"/>
		<Row SectorId="72" FactoryId="5" Your="false"/>
		<Row SectorId="72" FactoryId="13" Your="false"/>
		<Row SectorId="72" FactoryId="1" Your="false"/>
		<Row SectorId="72" FactoryId="2" Your="false" Yield="16"/>
		<Row SectorId="73" FactoryId="10" Your="false"/>
		<Row SectorId="73" FactoryId="18" Your="true"/>
		<Row SectorId="73" FactoryId="8" Your="false"/>
		<Row SectorId="73" FactoryId="2" Your="false" Yield="21"/>
		<Row SectorId="73" FactoryId="18" Your="false"/>
		<Row SectorId="73" FactoryId="6" Your="false"/>
		<Row SectorId="73" FactoryId="1" Your="false"/>
		<Row SectorId="74" FactoryId="31" Your="false"/>
		<Row SectorId="74" FactoryId="31" Your="false"/>
		<Row SectorId="74" FactoryId="2" Your="false" Yield="30"/>
		<Row SectorId="75" FactoryId="7" Your="false"/>
		<Row SectorId="75" FactoryId="21" Your="false"/>
		<Row SectorId="75" FactoryId="8" Your="false"/>
		<Row SectorId="75" FactoryId="2" Your="false" Yield="27"/>
		<Row SectorId="75" FactoryId="26" Your="false"/>
		<Row SectorId="75" FactoryId="3" Your="false" Yield="1"/>
		<Row SectorId="75" FactoryId="24" Your="false"/>
		<Row SectorId="75" FactoryId="24" Your="false"/>
		<Row SectorId="75" FactoryId="7" Your="false"/>
		<Row SectorId="75" FactoryId="15" Your="false"/>
		<Row SectorId="76" FactoryId="2" Your="false" Yield="23"/>
		<Row SectorId="76" FactoryId="30" Your="false"/>
		<Row SectorId="76" FactoryId="25" Your="false"/>
		<Row SectorId="76" FactoryId="31" Your="false"/>
		<Row SectorId="76" FactoryId="30" Your="false"/>
		<Row SectorId="76" FactoryId="28" Your="false"/>
		<Row SectorId="76" FactoryId="18" Your="false"/>
		<Row SectorId="76" FactoryId="14" Your="false"/>
		<Row SectorId="76" FactoryId="8" Your="false"/>
		<Row SectorId="77" FactoryId="9" Your="false"/>
		<Row SectorId="77" FactoryId="28" Your="false"/>
		<Row SectorId="78" FactoryId="1" Your="false"/>
		<Row SectorId="78" FactoryId="20" Your="false"/>
		<Row SectorId="78" FactoryId="5" Your="false"/>
		<Row SectorId="78" FactoryId="7" Your="false"/>
		<Row SectorId="78" FactoryId="25" Your="false"/>
		<Row SectorId="78" FactoryId="27" Your="false"/>
		<Row SectorId="79" FactoryId="18" Your="false"/>
		<Row SectorId="79" FactoryId="28" Your="false"/>
		<Row SectorId="79" FactoryId="28" Your="false"/>
		<Row SectorId="79" FactoryId="1" Your="false"/>
		<Row SectorId="79" FactoryId="31" Your="false"/>
		<Row SectorId="79" FactoryId="6" Your="false"/>
		<Row SectorId="79" FactoryId="6" Your="false"/>
		<Row SectorId="81" FactoryId="4" Your="false"/>
		<Row SectorId="81" FactoryId="31" Your="false"/>
		<Row SectorId="81" FactoryId="22" Your="false"/>
		<Row SectorId="81" FactoryId="14" Your="false"/>
		<Row SectorId="81" FactoryId="30" Your="false"/>
		<Row SectorId="81" FactoryId="29" Your="false"/>
		<Row SectorId="81" FactoryId="9" Your="false"/>
		<Row SectorId="81" FactoryId="10" Your="false"/>
		<Row SectorId="81" FactoryId="29" Your="false"/>
		<Row SectorId="82" FactoryId="30" Your="false"/>
		<Row SectorId="82" FactoryId="29" Your="false"/>
		<Row SectorId="82" FactoryId="3" Your="false" Yield="17"/>
		<Row SectorId="82" FactoryId="29" Your="false"/>
		<Row SectorId="82" FactoryId="1" Your="false"/>
		<Row SectorId="82" FactoryId="23" Your="false"/>
		<Row SectorId="84" FactoryId="8" Your="false"/>
		<Row SectorId="84" FactoryId="25" Your="false"/>
		<Row SectorId="84" FactoryId="8" Your="false"/>
		<Row SectorId="84" FactoryId="3" Your="false" Yield="16"/>
		<Row SectorId="85" FactoryId="1" Your="false"/>
		<Row SectorId="85" FactoryId="30" Your="false"/>
		<Row SectorId="85" FactoryId="1" Your="false"/>
		<Row SectorId="85" FactoryId="1" Your="false"/>
		<Row SectorId="85" FactoryId="10" Your="false"/>
		<Row SectorId="85" FactoryId="19" Your="false"/>
		<Row SectorId="87" FactoryId="26" Your="false"/>
		<Row SectorId="87" FactoryId="28" Your="false"/>
		<Row SectorId="87" FactoryId="5" Your="false"/>
		<Row SectorId="87" FactoryId="11" Your="false"/>
		<Row SectorId="87" FactoryId="11" Your="false"/>
		<Row SectorId="87" FactoryId="3" Your="false" Yield="1"/>
		<Row SectorId="88" FactoryId="6" Your="false"/>
		<Row SectorId="88" FactoryId="17" Your="false"/>
		<Row SectorId="88" FactoryId="2" Your="false" Yield="17"/>
		<Row SectorId="88" FactoryId="12" Your="false"/>
		<Row SectorId="88" FactoryId="23" Your="false"/>
		<Row SectorId="88" FactoryId="12" Your="false"/>
		<Row SectorId="88" FactoryId="4" Your="false"/>
		<Row SectorId="88" FactoryId="3" Your="false" Yield="5"/>
		<Row SectorId="89" FactoryId="7" Your="false"/>
		<Row SectorId="89" FactoryId="23" Your="false"/>
		<Row SectorId="89" FactoryId="31" Your="false"/>
		<Row SectorId="89" FactoryId="19" Your="false"/>
		<Row SectorId="89" FactoryId="3" Your="false" Yield="2"/>
		<Row SectorId="89" FactoryId="13" Your="false"/>
		<Row SectorId="89" FactoryId="2" Your="false" Yield="3"/>
		<Row SectorId="89" FactoryId="2" Your="false" Yield="10"/>
		<Row SectorId="89" FactoryId="23" Your="false"/>
		<Row SectorId="89" FactoryId="26" Your="false"/>
		<Row SectorId="90" FactoryId="2" Your="false" Yield="20"/>
		<Row SectorId="90" FactoryId="31" Your="false"/>
		<Row SectorId="90" FactoryId="30" Your="false"/>
		<Row SectorId="90" FactoryId="12" Your="false"/>
		<Row SectorId="90" FactoryId="10" Your="false"/>
		<Row SectorId="90" FactoryId="31" Your="false"/>
		<Row SectorId="90" FactoryId="22" Your="false"/>
		<Row SectorId="90" FactoryId="30" Your="false"/>
		<Row SectorId="91" FactoryId="23" Your="false"/>
		<Row SectorId="91" FactoryId="16" Your="false"/>
		<Row SectorId="91" FactoryId="10" Your="false"/>
		<Row SectorId="92" FactoryId="23" Your="false"/>
		<Row SectorId="92" FactoryId="23" Your="false"/>
		<Row SectorId="92" FactoryId="7" Your="false"/>
		<Row SectorId="92" FactoryId="13" Your="false"/>
		<Row SectorId="92" FactoryId="13" Your="false"/>
		<Row SectorId="92" FactoryId="26" Your="false"/>
		<Row SectorId="92" FactoryId="9" Your="false"/>
		<Row SectorId="92" FactoryId="26" Your="false"/>
		<Row SectorId="92" FactoryId="17" Your="false"/>
		<Row SectorId="93" FactoryId="22" Your="false"/>
		<Row SectorId="94" FactoryId="1" Your="false"/>
		<Row SectorId="94" FactoryId="18" Your="false"/>
		<Row SectorId="94" FactoryId="14" Your="false"/>
		<Row SectorId="94" FactoryId="7" Your="false"/>
		<Row SectorId="94" FactoryId="10" Your="false"/>
		<Row SectorId="96" FactoryId="5" Your="false"/>
		<Row SectorId="96" FactoryId="5" Your="false"/>
		<Row SectorId="96" FactoryId="4" Your="false"/>
		<Row SectorId="96" FactoryId="30" Your="false"/>
		<Row SectorId="96" FactoryId="19" Your="false"/>
		<Row SectorId="96" FactoryId="23" Your="false"/>
		<Row SectorId="96" FactoryId="9" Your="false"/>
		<Row SectorId="96" FactoryId="2" Your="false" Yield="12"/>
		<Row SectorId="97" FactoryId="2" Your="false" Yield="8"/>
		<Row SectorId="97" FactoryId="25" Your="false"/>
		<Row SectorId="98" FactoryId="21" Your="false"/>
		<Row SectorId="98" FactoryId="21" Your="false"/>
		<Row SectorId="98" FactoryId="25" Your="false"/>
		<Row SectorId="98" FactoryId="21" Your="false"/>
		<Row SectorId="98" FactoryId="26" Your="false"/>
		<Row SectorId="98" FactoryId="31" Your="false"/>
		<Row SectorId="99" FactoryId="13" Your="false"/>
		<Row SectorId="99" FactoryId="7" Your="false"/>
		<Row SectorId="99" FactoryId="22" Your="false"/>
		<Row SectorId="99" FactoryId="23" Your="false"/>
		<Row SectorId="100" FactoryId="5" Your="false"/>
		<Row SectorId="100" FactoryId="2" Your="false" Yield="30"/>
		<Row SectorId="100" FactoryId="22" Your="false"/>
		<Row SectorId="100" FactoryId="11" Your="false"/>
		<Row SectorId="100" FactoryId="17" Your="false"/>
		<Row SectorId="100" FactoryId="15" Your="false"/>
		<Row SectorId="100" FactoryId="3" Your="false" Yield="7"/>
		<Row SectorId="100" FactoryId="22" Your="false"/>
		<Row SectorId="100" FactoryId="19" Your="false"/>
		<Row SectorId="100" FactoryId="1" Your="false"/>
	</Rows>
</Table>
