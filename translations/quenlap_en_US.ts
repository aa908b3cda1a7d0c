<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="es">
<context>
    <name>Recursos</name>
    <message>
        <source>Tarvel Viewer</source>
        <translation>Tarvel Viewer</translation>
    </message>
    <message>
        <source>1.12 Build 25</source>
        <translation>1.12 Build 25</translation>
    </message>
    <message>
        <source>en vuelta</source>
        <translation>on lap</translation>
    </message>
    <message>
        <source>Aviso para recoger coches a: %s</source>
        <translation>Car pick-up call for: %s</translation>
    </message>
    <message>
        <source>Error cargando fichero de datos</source>
        <translation>Error loading data file</translation>
    </message>
    <message>
        <source>Error conectando con Tarvel</source>
        <translation>Error connecting to Tarvel</translation>
    </message>
</context>
<context>
    <name>TFrmListaVueltas</name>
    <message>
        <source>Corredores</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tiempos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gráfica Vueltas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vueltas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mejor Tiempo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copiar al portapales</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Desconectar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vueltas de carrera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vueltas de </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conectado a Tarvel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desconectado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconectando a Tarvel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conectado a DSRouter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No se puede cargar la imagen %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quenlap::TFrmMain</name>
    <message>
        <source>&amp;Archivo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Abrir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cerrar todo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conectar a &amp;Tarvel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conectar a &amp;DS Router ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ventana</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cascada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mosaico</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reorganizar iconos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Herramientas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lectura ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Idioma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Acerca de ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error cargando fichero de datos</source>
        <translation type="unfinished">Error loading data file</translation>
    </message>
    <message>
        <source>Error conectando con Tarvel</source>
        <translation type="unfinished">Error connecting to Tarvel</translation>
    </message>
    <message>
        <source>Archivos de datos de Tarvel (*.dat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Archivos de pelta (*.plresult)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Todos los archivos (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conexion a DS Router - Slot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Servidor DSRouter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quenlap::TFrmSAPI5</name>
    <message>
        <source>Parámetros de Lectura</source>
        <translation>Speech Settings</translation>
    </message>
    <message>
        <source>&amp;Servidor de Voz</source>
        <translation>&amp;Speech Server</translation>
    </message>
    <message>
        <source>DS &amp;Router</source>
        <translation>DS &amp;Router</translation>
    </message>
    <message>
        <source>Activar</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>&amp;Locutor</source>
        <translation>&amp;Voice</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>&amp;Oir</source>
        <translation>&amp;Listen</translation>
    </message>
    <message>
        <source>Velocidad</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Volumen</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source> Lectura de todas las vueltas por pista </source>
        <translation> Read every lap of a lane </translation>
    </message>
    <message>
        <source>Pista &amp;%1</source>
        <translation>Lane &amp;%1</translation>
    </message>
    <message>
        <source>Leer &amp;todas si solo hay un coche en pista</source>
        <translation>Read &amp;all when only one car is on the track</translation>
    </message>
    <message>
        <source>En un lugar de la mancha, de cuyo nombre no quiero acordarme.</source>
        <translation>In a village of La Mancha, the name of which I have no desire to call to mind.</translation>
    </message>
</context>
<context>
    <name>quenlap::TSplash</name>
    <message>
        <source>Version </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Haga click en la pantalla para continuar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quenlap::TfrmInputServer</name>
    <message>
        <source>Servidor Tarvel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Servidor &amp;Tarvel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL Diseño circuito</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto &amp;reconexión</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;onectar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
