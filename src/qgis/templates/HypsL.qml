<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The graticule by L_code: the sheet's outline, thin parallels and meridians, the Arctic Circle
     dashed and named above its line, in the middle of the sheet, in Arial (its metric twin Liberation
     Sans on Linux, where QGIS knows no font by an alias). -->
<qgis version="3.22.16" styleCategories="Symbology|Labeling" labelsEnabled="1">
  <renderer-v2 type="RuleRenderer">
    <rules key="r">
      <rule key="r0" symbol="0" label="outline 400010" filter="&quot;L_code&quot; = 400010"/>
      <rule key="r1" symbol="1" label="parallels and meridians 400011/400012" filter="&quot;L_code&quot; IN (400011, 400012)"/>
      <rule key="r2" symbol="2" label="Arctic Circle 400013" filter="&quot;L_code&quot; = 400013"/>
    </rules>
    <symbols>
      <symbol type="line" name="0" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.2"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="1" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="2" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.2"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="line_style" value="dash"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
    </symbols>
  </renderer-v2>
  <labeling type="rule-based">
    <rules key="labels">
      <rule key="arctic-circle" filter="&quot;L_code&quot; = 400013" description="the Arctic Circle's name">
        <settings calloutType="simple">
          <text-style fieldName="Text" isExpression="0" fontFamily="Arial" fontItalic="1" fontSize="8" fontSizeUnit="Point" textColor="0,0,0,255" textOpacity="1"/>
          <placement placement="3" placementFlags="2" dist="0.8" distUnits="MM" lineAnchorPercent="0.5" lineAnchorType="1"/>
          <rendering drawLabels="1" displayAll="1" upsidedownLabels="2" obstacle="0"/>
          <dd_properties>
            <Option type="Map">
              <Option type="QString" name="name" value=""/>
              <Option type="Map" name="properties">
                <Option type="Map" name="Family">
                  <Option type="bool" name="active" value="true"/>
                  <Option type="QString" name="expression" value="if(@qgis_os_name IN ('windows', 'osx'), NULL, 'Liberation Sans')"/>
                  <Option type="int" name="type" value="3"/>
                </Option>
              </Option>
              <Option type="QString" name="type" value="collection"/>
            </Option>
          </dd_properties>
        </settings>
      </rule>
    </rules>
  </labeling>
</qgis>
