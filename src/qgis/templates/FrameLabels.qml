<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The labels of FrameAdj and FrameDig: the line itself is not drawn; its Text is set along it,
     centred, in the font and size (points) of its Font and Size. A font named in Font is looked up
     in the variable mapbasis_font_<Font> (set it in the project's or QGIS's variables); without
     one, the free stand-ins whose metrics measured the labels are used: Nimbus Sans for
     PragmaticaC and FreeSet, C059 for AGCenturion. -->
<qgis version="3.22.16" styleCategories="Symbology|Labeling" labelsEnabled="1">
  <renderer-v2 type="nullSymbol"/>
  <labeling type="simple">
    <settings calloutType="simple">
      <text-style fieldName="Text" isExpression="0" fontFamily="Nimbus Sans" fontSize="6.5" fontSizeUnit="Point" textColor="0,0,0,255" textOpacity="1"/>
      <placement placement="3" placementFlags="1" dist="0" overrunDistance="1" overrunDistanceUnit="MM" lineAnchorPercent="0.5" lineAnchorType="1"/>
      <rendering drawLabels="1" displayAll="1" upsidedownLabels="2" obstacle="0"/>
      <dd_properties>
        <Option type="Map">
          <Option type="QString" name="name" value=""/>
          <Option type="Map" name="properties">
            <Option type="Map" name="Family">
              <Option type="bool" name="active" value="true"/>
              <Option type="QString" name="expression" value="coalesce(var('mapbasis_font_' || &quot;Font&quot;), CASE WHEN &quot;Font&quot; IN ('PragmaticaC', 'FreeSet') THEN 'Nimbus Sans' WHEN &quot;Font&quot; = 'AGCenturion' THEN 'C059' ELSE &quot;Font&quot; END)"/>
              <Option type="int" name="type" value="3"/>
            </Option>
            <Option type="Map" name="Size">
              <Option type="bool" name="active" value="true"/>
              <Option type="QString" name="field" value="Size"/>
              <Option type="int" name="type" value="2"/>
            </Option>
          </Option>
          <Option type="QString" name="type" value="collection"/>
        </Option>
      </dd_properties>
    </settings>
  </labeling>
</qgis>
