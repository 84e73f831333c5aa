<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The graticule by L_code: the sheet's outline, thin parallels and meridians, the Arctic Circle
     dashed. -->
<qgis version="3.22.16" styleCategories="Symbology|Labeling" labelsEnabled="0">
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
</qgis>
