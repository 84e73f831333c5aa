<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The frame by L_code, every line with flat caps. The minute band's outlines, ticks and filled
     cells share one code: a tick is a two-vertex line one band-width long at the map scale, an
     outline a closed ring, every other band line a filled cell drawn one band-width wide. Each rule
     has a symbol of its own: QGIS gives a symbol to one rule only. The
     layer variables mapbasis_scale (the map scale's denominator) and mapbasis_band_width (mm) are
     the sheet's; the run writes them. -->
<qgis version="3.22.16" styleCategories="Symbology|Labeling|CustomProperties" labelsEnabled="0">
  <renderer-v2 type="RuleRenderer">
    <rules key="r">
      <rule key="band" label="minute band 400901" filter="&quot;L_code&quot; = 400901">
        <rule key="band-outline" symbol="0" label="outlines" filter="is_closed($geometry)"/>
        <rule key="band-tick" symbol="4" label="ticks" filter="num_points($geometry) = 2 AND abs(6371032 * sqrt(radians(y(end_point($geometry)) - y(start_point($geometry)))^2 + (radians(x(end_point($geometry)) - x(start_point($geometry))) * cos(radians(y(start_point($geometry)))))^2) * 1000 / to_real(@mapbasis_scale) - to_real(@mapbasis_band_width)) &lt; 0.05"/>
        <rule key="band-cell" symbol="1" label="filled cells" filter="ELSE"/>
      </rule>
      <rule key="outer" symbol="2" label="outer frame 400902" filter="&quot;L_code&quot; = 400902"/>
      <rule key="outer-small" symbol="3" label="outer frame 400922" filter="&quot;L_code&quot; = 400922"/>
      <rule key="companions" symbol="5" label="companion lines 400903" filter="&quot;L_code&quot; = 400903"/>
      <rule key="extensions" symbol="6" label="graticule extensions 400904/400905" filter="&quot;L_code&quot; IN (400904, 400905)"/>
    </rules>
    <symbols>
      <symbol type="line" name="0" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="1" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="1.2"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option><data_defined_properties><Option type="Map"><Option type="QString" name="name" value=""/><Option type="Map" name="properties"><Option type="Map" name="outlineWidth"><Option type="bool" name="active" value="true"/><Option type="QString" name="expression" value="to_real(@mapbasis_band_width)"/><Option type="int" name="type" value="3"/></Option></Option><Option type="QString" name="type" value="collection"/></Option></data_defined_properties></layer></symbol>
      <symbol type="line" name="2" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.5"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="3" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.4"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="4" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="5" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="6" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
    </symbols>
  </renderer-v2>
  <customproperties>
    <Option type="Map">
      <Option type="List" name="variableNames">
        <Option type="QString" value="mapbasis_scale"/>
        <Option type="QString" value="mapbasis_band_width"/>
      </Option>
      <Option type="List" name="variableValues">
        <Option type="QString" value="{{SCALE}}"/>
        <Option type="QString" value="{{BAND_WIDTH}}"/>
      </Option>
    </Option>
  </customproperties>
</qgis>
