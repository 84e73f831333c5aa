<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The labels of FrameAdj and FrameDig: the line itself is not drawn; its Text is set along it,
     centred, in the font and size (points) of its Font and Size. A font named in Font is looked up
     in the variable mapbasis_font_<Font> (set it in the project's or QGIS's variables); without
     one, the free stand-ins whose metrics measured the labels are used: Nimbus Sans for
     PragmaticaC and FreeSet, C059 for AGCenturion. Nimbus Sans sets every digit 556 thousandths
     of the size wide where FreeSet sets a 1 at 359 and a 7 at 470, and C059 sets them 556 wide
     where AGCenturion sets them at 500 (and the letters of the sheet names differ a little between
     PragmaticaC and Nimbus Sans). The labels were measured in the named fonts, so when a
     stand-in draws them, the difference of each character's advance (the named font's less the
     stand-in's) is given back evenly through the letter spacing. -->
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
            <Option type="Map" name="FontLetterSpacing">
              <Option type="bool" name="active" value="true"/>
              <Option type="QString" name="expression" value="with_variable('d', CASE WHEN &quot;Font&quot; = 'PragmaticaC' AND coalesce(var('mapbasis_font_PragmaticaC'), 'Nimbus Sans') = 'Nimbus Sans' THEN map('0', 26, '1', 22, '2', 28, '3', 25, '4', 30, '5', 25, '6', 25, '7', 25, '8', 28, '9', 25, '-', 89, ',', 33, 'I', -14, 'J', 20, 'L', -27, 'M', 57, 'N', 18, 'O', -20, 'P', -28, 'Q', -20, 'R', -41, 'S', -11, 'T', -36, 'U', -26, 'V', -73, 'X', -57) WHEN &quot;Font&quot; = 'FreeSet' AND coalesce(var('mapbasis_font_FreeSet'), 'Nimbus Sans') = 'Nimbus Sans' THEN map('0', 34, '1', -197, '2', -33, '3', -10, '4', 37, '5', 2, '6', 18, '7', -86, '8', 57, '9', 23, '°', -64, '''', 3, ' ', 73) WHEN &quot;Font&quot; = 'AGCenturion' AND coalesce(var('mapbasis_font_AGCenturion'), 'C059') = 'C059' THEN map('0', -56, '1', -56, '2', -56, '3', -56, '4', -56, '5', -56, '6', -56, '7', -56, '8', -56, '9', -56, '°', 100, '''', 7, ' ', -28) END, if(@d IS NULL OR length(&quot;Text&quot;) = 0, 0, to_real(&quot;Size&quot;) / 1000 / length(&quot;Text&quot;) * array_sum(array_foreach(string_to_array(&quot;Text&quot;, ''), coalesce(map_get(@d, @element), 0)))))"/>
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
