<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The sheet index: each sheet's outline without fill, its name (the Name field) set
     horizontally at its centre, every label drawn even where they crowd. -->
<qgis version="3.22.16" styleCategories="Symbology|Labeling" labelsEnabled="1">
  <renderer-v2 type="singleSymbol">
    <symbols>
      <symbol type="fill" name="0" alpha="1">
        <layer class="SimpleFill" enabled="1">
          <Option type="Map">
            <Option type="QString" name="style" value="no"/>
            <Option type="QString" name="outline_style" value="solid"/>
            <Option type="QString" name="outline_color" value="0,0,0,255"/>
            <Option type="QString" name="outline_width" value="0.3"/>
            <Option type="QString" name="outline_width_unit" value="MM"/>
            <Option type="QString" name="joinstyle" value="miter"/>
          </Option>
        </layer>
      </symbol>
    </symbols>
  </renderer-v2>
  <labeling type="simple">
    <settings calloutType="simple">
      <text-style fieldName="Name" isExpression="0" fontSize="9" fontSizeUnit="Point" textColor="0,0,0,255" textOpacity="1"/>
      <placement placement="1" centroidInside="1" centroidWhole="1" quadOffset="4" dist="0"/>
      <rendering drawLabels="1" displayAll="1" obstacle="0"/>
    </settings>
  </labeling>
</qgis>
