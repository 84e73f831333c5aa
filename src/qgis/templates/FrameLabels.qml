<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The labels of FrameAdj and FrameDig: the line itself is not drawn; its Text is set along it,
     centred, in the size (points) of its Size and in a font that stands in for the one its Font
     names: Arial for PragmaticaC and FreeSet, Times New Roman for AGCenturion, which Windows and
     macOS have. QGIS takes a family only from its own list of installed ones, where a Linux
     system's aliases do not enter, so on Linux the labels name the metric twins of those fonts,
     Liberation Sans and Serif (Debian's fonts-liberation). A font named in Font is drawn in the
     family the variable mapbasis_font_<Font> names, when it is set (in the project's or QGIS's
     variables) to a font that is installed.
     The labels were measured in the named fonts, whose letters are narrower or wider than the
     stand-in's (FreeSet sets a 1 359 thousandths of the size wide where Arial sets every digit
     556), so while the stand-in draws them, the letter spacing gives back the difference: each
     label's ink is as long as its line, and a neighbour's name as long as its gap less 2 mm. -->
<qgis version="3.22.16" styleCategories="Symbology|Labeling" labelsEnabled="1">
  <renderer-v2 type="nullSymbol"/>
  <labeling type="rule-based">
    <rules key="labels">
      <rule key="serif" filter="&quot;Font&quot; = 'AGCenturion'" description="AGCenturion in Times New Roman">
        <settings calloutType="simple">
          <text-style fieldName="Text" isExpression="0" fontFamily="Times New Roman" fontSize="8" fontSizeUnit="Point" textColor="0,0,0,255" textOpacity="1"/>
          <placement placement="3" placementFlags="1" dist="0" overrunDistance="1" overrunDistanceUnit="MM" lineAnchorPercent="0.5" lineAnchorType="1"/>
          <rendering drawLabels="1" displayAll="1" upsidedownLabels="2" obstacle="0"/>
          <dd_properties>
            <Option type="Map">
              <Option type="QString" name="name" value=""/>
              <Option type="Map" name="properties">
                <Option type="Map" name="Family">
                  <Option type="bool" name="active" value="true"/>
                  <Option type="QString" name="expression" value="coalesce(nullif(var('mapbasis_font_' || &quot;Font&quot;), ''), if(@qgis_os_name IN ('windows', 'osx'), NULL, 'Liberation Serif'))"/>
                  <Option type="int" name="type" value="3"/>
                </Option>
                <Option type="Map" name="FontLetterSpacing">
                  <Option type="bool" name="active" value="true"/>
                  <!-- letter spacing for Times New Roman: written by scripts/generate-font-metrics.py -->
                  <Option type="QString" name="expression" value="if(length(&quot;Text&quot;) &lt; 2 OR coalesce(nullif(var('mapbasis_font_' || &quot;Font&quot;), ''), 'Times New Roman') &lt;&gt; 'Times New Roman', 0, with_variable('m', CASE WHEN &quot;Font&quot; = 'AGCenturion' THEN map(' ', array(0, 0, -249), '0', array(0, 6.1, 19.1), '1', array(0, 5.9, 5.1), '2', array(0, 15.9, 18.2), '3', array(0, 17.9, 2.1), '4', array(0, -5.5, -6.4), '5', array(0, 15.1, 12.1), '6', array(0, 2, 16.8), '7', array(0, 27.9, 3.8), '8', array(0, 6.1, 20.1), '9', array(0, 4.2, 15), '°', array(100.1, -22.1, -80.2), '''', array(30.8, -18, -19)) END, if(@m IS NULL, 0, to_real(&quot;Size&quot;) / 1000 / (length(&quot;Text&quot;) - 1) * (array_sum(array_foreach(string_to_array(&quot;Text&quot;, ''), coalesce(array_get(map_get(@m, @element), 0), 0))) + coalesce(array_get(map_get(@m, left(&quot;Text&quot;, 1)), 1), 0) + coalesce(array_get(map_get(@m, right(&quot;Text&quot;, 1)), 2), 0)))))"/>
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
      </rule>
      <rule key="sans" filter="ELSE" description="PragmaticaC and FreeSet in Arial">
        <settings calloutType="simple">
          <text-style fieldName="Text" isExpression="0" fontFamily="Arial" fontSize="6.5" fontSizeUnit="Point" textColor="0,0,0,255" textOpacity="1"/>
          <placement placement="3" placementFlags="1" dist="0" overrunDistance="1" overrunDistanceUnit="MM" lineAnchorPercent="0.5" lineAnchorType="1"/>
          <rendering drawLabels="1" displayAll="1" upsidedownLabels="2" obstacle="0"/>
          <dd_properties>
            <Option type="Map">
              <Option type="QString" name="name" value=""/>
              <Option type="Map" name="properties">
                <Option type="Map" name="Family">
                  <Option type="bool" name="active" value="true"/>
                  <Option type="QString" name="expression" value="coalesce(nullif(var('mapbasis_font_' || &quot;Font&quot;), ''), if(@qgis_os_name IN ('windows', 'osx'), NULL, 'Liberation Sans'))"/>
                  <Option type="int" name="type" value="3"/>
                </Option>
                <Option type="Map" name="FontLetterSpacing">
                  <Option type="bool" name="active" value="true"/>
                  <!-- letter spacing for Arial: written by scripts/generate-font-metrics.py -->
                  <Option type="QString" name="expression" value="if(length(&quot;Text&quot;) &lt; 2 OR coalesce(nullif(var('mapbasis_font_' || &quot;Font&quot;), ''), 'Arial') &lt;&gt; 'Arial', 0, with_variable('m', CASE WHEN &quot;Font&quot; = 'PragmaticaC' THEN map('0', array(25.8, -5.9, -5.9), '1', array(21.8, -52.8, -145.2), '2', array(27.8, -8.7, 2.3), '3', array(24.8, -2.9, -9.1), '4', array(29.8, -3.1, 4.3), '5', array(24.8, -7, -4), '6', array(24.8, 6.8, -0.1), '7', array(24.8, 16.3, 16.3), '8', array(27.8, -11.5, -11.5), '9', array(24.8, 2.9, 3.4), '-', array(89, -34.6, -33.6), ',', array(33.2, -16.2, -15.2), 'I', array(-13.8, 7.3, 8.3), 'J', array(20, -6.4, 3.2), 'K', array(0, -3, 16.2), 'L', array(-27.2, -3, 40.2), 'M', array(57, -3, -2), 'N', array(17.8, -3, -2.5), 'O', array(-19.8, 3.4, 3.9), 'P', array(-28, -3, 21.7), 'Q', array(-19.8, 3.4, 3.9), 'R', array(-41.2, -3, 2.4), 'S', array(-11, 0.4, 1.9), 'T', array(-35.8, 9.5, 10.9), 'U', array(-26.2, 6.1, 6.1), 'V', array(-73, 8.4, 9.4), 'X', array(-57, 22.5, 22)) WHEN &quot;Font&quot; = 'FreeSet' THEN map(' ', array(73.2, 0, -350), '0', array(33.8, -19.9, -19.9), '1', array(-197.2, 36.2, -50.2), '2', array(-33.2, 0.3, 1.3), '3', array(-10.2, 3.1, -35.1), '4', array(36.8, -17.1, -9.7), '5', array(1.8, -40, -27), '6', array(17.8, -9.2, -15.1), '7', array(-86.2, 31.3, 31.3), '8', array(56.8, -26.5, -25.5), '9', array(22.8, -13.1, -11.6), '°', array(-63.9, 3.6, 5.1), '''', array(3.1, 0.8, 1.3)) END, if(@m IS NULL, 0, to_real(&quot;Size&quot;) / 1000 / (length(&quot;Text&quot;) - 1) * (array_sum(array_foreach(string_to_array(&quot;Text&quot;, ''), coalesce(array_get(map_get(@m, @element), 0), 0))) + coalesce(array_get(map_get(@m, left(&quot;Text&quot;, 1)), 1), 0) + coalesce(array_get(map_get(@m, right(&quot;Text&quot;, 1)), 2), 0)))))"/>
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
      </rule>
    </rules>
  </labeling>
</qgis>
